// A row sink that keeps the rows in a vector, for catalogue tests.
#pragma once

#include "catalogue/EntryRow.h"

#include <ostream>

namespace kestrova {

class VectorRowSink : public RowSink {
public:
    std::vector<EntryRow> rows;
    std::vector<std::size_t> dimmed;  // indices of dimmed rows, in the order marked

    void Add(const EntryRow& row) override;
    std::size_t Count() const override;
    EntryRow Row(std::size_t index) const override;
    void SetChecked(std::size_t index, bool checked) override;
    void SetDimmed(std::size_t index, bool dimmed) override;
};

// Readable form of a row for test failure messages.
void PrintTo(const EntryRow& row, std::ostream* out);

}  // namespace kestrova
