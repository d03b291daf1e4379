// A fresh, empty folder in the temporary folder for one test, removed with everything
// in it when the test ends.
#pragma once

#include "platform/FileSystem.h"

#include <string>

namespace kestrova {

class ScratchFolder {
public:
    explicit ScratchFolder(FileSystem& fs);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder's path, ending with a backslash.
    const std::string& path() const { return path_; }
    // The path of `relative` (backslash-separated) inside the folder.
    std::string operator/(const std::string& relative) const { return path_ + relative; }

private:
    FileSystem& fs_;
    std::string path_;
};

// Deletes `folder` with all its files and folders; what cannot be deleted stays.
void RemoveTree(FileSystem& fs, const std::string& folder);

}  // namespace kestrova
