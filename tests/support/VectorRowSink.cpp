#include "VectorRowSink.h"

namespace kestrova {

void VectorRowSink::Add(const EntryRow& row) { rows.push_back(row); }
std::size_t VectorRowSink::Count() const { return rows.size(); }
EntryRow VectorRowSink::Row(std::size_t index) const { return rows.at(index); }
void VectorRowSink::SetChecked(std::size_t index, bool checked) { rows.at(index).checked = checked; }
void VectorRowSink::SetDimmed(std::size_t index, bool isDimmed)
{
    if (isDimmed)
        dimmed.push_back(index);
}


void PrintTo(const EntryRow& row, std::ostream* out)
{
    *out << (row.checked ? "[x] \"" : "[ ] \"") << row.caption << '"';
    for (const std::string& subItem : row.subItems)
        *out << " | " << subItem;
}

}  // namespace kestrova
