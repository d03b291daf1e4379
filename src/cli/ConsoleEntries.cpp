#include "cli/ConsoleEntries.h"

#include "platform/PathNames.h"
#include "platform/TextCase.h"

namespace kestrova {

namespace {

class EntrySink : public RowSink {
public:
    std::vector<EntryRow> rows;

    void Add(const EntryRow& row) override { rows.push_back(row); }
    std::size_t Count() const override { return rows.size(); }
    EntryRow Row(std::size_t index) const override { return rows.at(index); }
    void SetChecked(std::size_t index, bool checked) override { rows.at(index).checked = checked; }
};

std::string Column(const EntryRow& row, std::size_t index)
{
    return index < row.subItems.size() ? row.subItems[index] : std::string();
}

constexpr std::string_view kSwitchedOnKey = "ShellNew";
constexpr std::string_view kSwitchedOffKey = "old_ShellNew";

// The id without its last name when that is the template key in either state.
std::optional<std::string_view> TemplateStem(std::string_view id)
{
    const auto slash = id.rfind('\\');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const std::string_view last = id.substr(slash + 1);
    if (EqualsIgnoringCase(last, kSwitchedOnKey) || EqualsIgnoringCase(last, kSwitchedOffKey))
        return id.substr(0, slash);
    return std::nullopt;
}

}  // namespace

std::string ShownAs(const EntryRow& row) { return row.caption; }

bool IsPlaceholderRow(const EntryRow& row)
{
    if (!row.caption.empty())
        return false;
    for (const std::string& text : row.subItems) {
        if (!text.empty())
            return false;
    }
    return true;
}

ConsoleEntry DescribeRow(const ConsoleList& list, const EntryRow& row)
{
    ConsoleEntry entry;
    entry.list = std::string(list.name);
    entry.name = row.caption;
    entry.shownAs = ShownAs(row);
    entry.path = Column(row, list.pathColumn);
    if (list.sectionColumn) {
        entry.section = Column(row, *list.sectionColumn);
        entry.id = entry.section + "\\" + entry.path;
    } else {
        entry.id = LastName(entry.path);
    }
    entry.on = row.checked;
    entry.row = row;
    return entry;
}

bool IdNamesEntry(const ConsoleList& list, std::string_view id, const ConsoleEntry& entry)
{
    if (EqualsIgnoringCase(id, entry.id))
        return true;
    if (!list.templateKeyRenames)
        return false;
    const auto idStem = TemplateStem(id);
    const auto entryStem = TemplateStem(entry.id);
    return idStem && entryStem && EqualsIgnoringCase(*idStem, *entryStem);
}

std::vector<ConsoleEntry> LoadEntries(const ConsoleList& list)
{
    EntrySink sink;
    list.catalogue->LoadRows(sink);
    std::vector<ConsoleEntry> entries;
    for (const EntryRow& row : sink.rows) {
        if (!IsPlaceholderRow(row))
            entries.push_back(DescribeRow(list, row));
    }
    return entries;
}

}  // namespace kestrova
