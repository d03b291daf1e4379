#include "FaultInjectingFileSystem.h"

namespace kestrova {

bool FaultInjectingFileSystem::WriteWholeFile(const std::string& path, std::string_view contents)
{
    switch (fault) {
    case FileFault::WriteFailsAtOnce:
        return false;
    case FileFault::WriteFailsHalfway:
        inner_.WriteWholeFile(path, contents.substr(0, contents.size() / 2));
        return false;
    default:
        return inner_.WriteWholeFile(path, contents);
    }
}

bool FaultInjectingFileSystem::MoveReplacing(const std::string& source, const std::string& target)
{
    switch (fault) {
    case FileFault::ReplaceFails:
        return false;
    case FileFault::CrashBeforeReplace:
        throw SimulatedCrash();
    default:
        return inner_.MoveReplacing(source, target);
    }
}

}  // namespace kestrova
