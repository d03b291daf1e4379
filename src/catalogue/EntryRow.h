// One row of a catalogue list and the sink that catalogues write rows into.
// The main window's list view implements the sink; tests use a vector.
#pragma once

#include "platform/RegistryBackend.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kestrova {

// What a row points at. Switching, deleting, undo and the registry-editor jump work
// from this, never from the row's texts.
struct EntryTarget {
    enum class Kind { None, RegistryKey, File };
    Kind kind = Kind::None;  // None: a placeholder row that points at nothing
    RegRoot root = RegRoot::LocalMachine;  // registry keys only
    std::uint32_t viewBits = 0;            // registry keys only: the view the entry is read and written in
    // The key below `root` as listed, or the file's path (a switched-off SendTo file
    // without its suffix).
    std::string path;
    // Registry keys that switch through another key (a New-menu template's class key).
    std::string classKey;

    static EntryTarget Key(RegRoot root, std::uint32_t viewBits, std::string path, std::string classKey = {})
    {
        return EntryTarget{Kind::RegistryKey, root, viewBits, std::move(path), std::move(classKey)};
    }
    static EntryTarget File(std::string path) { return EntryTarget{Kind::File, RegRoot::LocalMachine, 0, std::move(path), {}}; }

    bool IsKey() const { return kind == Kind::RegistryKey; }
    bool IsFile() const { return kind == Kind::File; }
    bool operator==(const EntryTarget&) const = default;
};

struct EntryRow {
    std::string caption;
    std::vector<std::string> subItems;  // the columns after the first, built from `target`
    bool checked = false;
    EntryTarget target;

    bool operator==(const EntryRow&) const = default;
};

class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void Add(const EntryRow& row) = 0;
    virtual std::size_t Count() const = 0;
    virtual EntryRow Row(std::size_t index) const = 0;
    virtual void SetChecked(std::size_t index, bool checked) = 0;
    // Shows the row's text grey (its program file is missing); sinks that cannot ignore it.
    virtual void SetDimmed(std::size_t index, bool dimmed) {}
    // Gives the row the icon at `location` ("path,index"); sinks without icons ignore it.
    virtual void SetIcon(std::size_t index, const std::string& location) {}
};

}  // namespace kestrova
