#include "platform/PathNames.h"

namespace kestrova {

std::string_view WithoutTrailingSeparators(std::string_view path, std::string_view separators)
{
    while (!path.empty() && separators.find(path.back()) != std::string_view::npos)
        path.remove_suffix(1);
    return path;
}

std::string ParentPath(std::string_view path, std::string_view separators)
{
    const std::string_view trimmed = WithoutTrailingSeparators(path, separators);
    const std::size_t split = trimmed.find_last_of(separators);
    return split == std::string_view::npos ? std::string() : std::string(trimmed.substr(0, split));
}

std::string LastName(std::string_view path, std::string_view separators)
{
    const std::string_view trimmed = WithoutTrailingSeparators(path, separators);
    return std::string(trimmed.substr(trimmed.find_last_of(separators) + 1));
}

std::string FolderWithSeparator(std::string_view path, std::string_view separators)
{
    const std::size_t split = path.find_last_of(separators);
    return split == std::string_view::npos ? std::string() : std::string(path.substr(0, split + 1));
}

}  // namespace kestrova
