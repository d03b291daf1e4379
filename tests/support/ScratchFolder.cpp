#include "ScratchFolder.h"

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace kestrova {

ScratchFolder::ScratchFolder(FileSystem& fs) : fs_(fs)
{
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string temp = fs.TempFolder();
    if (!temp.empty() && temp.back() != '\\' && temp.back() != '/')
        temp += '\\';
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            temp + "kestrova-test-" + std::to_string(stamp) + "-" + std::to_string(counter++);
        if (fs.MakeDirectory(candidate)) {
            path_ = candidate + "\\";
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch folder in " + temp);
}

ScratchFolder::~ScratchFolder() { RemoveTree(fs_, path_); }

void RemoveTree(FileSystem& fs, const std::string& folder)
{
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\')
        prefix += '\\';
    for (const FoundEntry& entry : fs.FindEntries(prefix + "*")) {
        if (entry.name == "." || entry.name == "..")
            continue;
        if (entry.isFolder)
            RemoveTree(fs, prefix + entry.name);
        else
            fs.RemoveFile(prefix + entry.name);
    }
    fs.RemoveEmptyDirectory(prefix);
}

}  // namespace kestrova
