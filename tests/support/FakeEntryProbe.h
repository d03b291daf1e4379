// An entry probe over tables: environment variables, indirect strings, existing files
// and programs found by bare name, with the calls it answered counted.
#pragma once

#include "platform/AsciiText.h"
#include "platform/EntryProbe.h"

#include <map>
#include <set>
#include <string>

namespace kestrova {

class FakeEntryProbe : public EntryProbe {
public:
    std::map<std::string, std::string> environment;    // by upper-cased name
    std::map<std::string, std::string> indirect;       // expanded reference -> text
    std::set<std::string> files;                       // upper-cased paths
    std::map<std::string, std::string> programs;       // bare name -> full path
    bool windows64 = true;
    int fileChecks = 0;
    int loads = 0;

    void AddFile(const std::string& path) { files.insert(AsciiUpper(path)); }

    std::string ExpandEnvironment(const std::string& text) override
    {
        std::string result;
        std::size_t i = 0;
        while (i < text.size()) {
            const std::size_t start = text.find('%', i);
            const std::size_t end = start == std::string::npos ? start : text.find('%', start + 1);
            if (end == std::string::npos) {
                result += text.substr(i);
                break;
            }
            result += text.substr(i, start - i);
            const auto found = environment.find(AsciiUpper(text.substr(start + 1, end - start - 1)));
            if (found != environment.end()) {
                result += found->second;
                i = end + 1;
            } else {
                result += text.substr(start, end - start);
                i = end;
            }
        }
        return result;
    }
    std::optional<std::string> LoadIndirectString(const std::string& text) override
    {
        ++loads;
        const auto found = indirect.find(text);
        if (found == indirect.end())
            return std::nullopt;
        return found->second;
    }
    std::string NativePath(const std::string& path) override { return path; }
    bool FileExists(const std::string& path) override
    {
        ++fileChecks;
        return files.count(AsciiUpper(path)) != 0;
    }
    std::string FindProgram(const std::string& name) override
    {
        const auto found = programs.find(name);
        return found == programs.end() ? std::string() : found->second;
    }
    bool IsWindows64() override { return windows64; }
};

}  // namespace kestrova
