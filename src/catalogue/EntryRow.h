// One row of a catalogue list and the sink that catalogues write rows into.
// The main window's list view implements the sink; tests use a vector.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kestrova {

struct EntryRow {
    std::string caption;
    std::vector<std::string> subItems;  // the columns after the first
    bool checked = false;

    bool operator==(const EntryRow&) const = default;
};

class RowSink {
public:
    virtual ~RowSink() = default;
    virtual void Add(const EntryRow& row) = 0;
    virtual std::size_t Count() const = 0;
    virtual EntryRow Row(std::size_t index) const = 0;
    virtual void SetChecked(std::size_t index, bool checked) = 0;
};

}  // namespace kestrova
