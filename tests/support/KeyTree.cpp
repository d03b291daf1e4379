#include "KeyTree.h"

#include <algorithm>
#include <iomanip>

namespace kestrova {

KeyTree& KeyTree::Value(const std::string& name, const RegValue& value)
{
    values.emplace_back(name, value);
    return *this;
}

KeyTree& KeyTree::Subkey(const std::string& name, const KeyTree& tree)
{
    subkeys.emplace_back(name, tree);
    return *this;
}

namespace {

template <typename Entries>
Entries SortedByName(Entries entries)
{
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return entries;
}

}  // namespace

bool KeyTree::operator==(const KeyTree& other) const
{
    return SortedByName(values) == SortedByName(other.values) && SortedByName(subkeys) == SortedByName(other.subkeys);
}

namespace {

void Print(const KeyTree& tree, std::ostream& out, int depth)
{
    const std::string indent(2 * depth, ' ');
    for (const auto& [name, value] : tree.values) {
        out << indent << '"' << name << "\" type " << value.type << ':';
        for (std::uint8_t byte : value.data)
            out << ' ' << std::hex << std::setw(2) << std::setfill('0') << int(byte) << std::dec;
        out << '\n';
    }
    for (const auto& [name, subkey] : tree.subkeys) {
        out << indent << '[' << name << "]\n";
        Print(subkey, out, depth + 1);
    }
}

}  // namespace

void PrintTo(const KeyTree& tree, std::ostream* out)
{
    *out << '\n';
    Print(tree, *out, 1);
}

}  // namespace kestrova
