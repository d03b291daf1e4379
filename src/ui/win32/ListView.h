// A report list view with a check box per row, grid lines, whole-row and single
// selection, columns from the component model (fixed, minimum and filling widths),
// and the row storage that catalogues fill through ListViewRowSink.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/EntryRow.h"
#include "ui/ComponentModel.h"

namespace kestrova {

// Set in the item data of a row whose text is drawn grey (its entry's file is missing).
constexpr LPARAM kDimmedRowFlag = LPARAM(1) << 30;

class ListView {
public:
    ListView() = default;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    void Create(HWND parent, const Component& model, UINT dpi);
    HWND Handle() const { return hwnd_; }

    // Called when a user changes a row's check box, unless changes are silenced.
    std::function<void(std::size_t index)> onItemChecked;
    // Called on every change of the selection.
    std::function<void()> onSelectionChanged;

    // While one exists, check-box changes reach nobody: the program's own marks and a
    // whole rebuild are not a user's choice. Scopes nest.
    class SilentChanges {
    public:
        explicit SilentChanges(ListView& list) : list_(list) { ++list_.silentDepth_; }
        ~SilentChanges() { --list_.silentDepth_; }
        SilentChanges(const SilentChanges&) = delete;
        SilentChanges& operator=(const SilentChanges&) = delete;

    private:
        ListView& list_;
    };
    bool ChangesSilenced() const { return silentDepth_ > 0; }

    std::size_t Count() const;
    int SelectedIndex() const;  // -1 when no row is selected
    void Clear();
    void Add(const EntryRow& row);
    EntryRow Row(std::size_t index) const;
    // Sets a box as the program's own act: no check-box handler runs for it.
    void SetCheckedSilently(std::size_t index, bool checked);
    // Draws the row's text grey, or again in the list's own colour.
    void SetDimmed(std::size_t index, bool dimmed);
    bool Dimmed(std::size_t index) const;
    // Shows the icon at `location` ("path,index": a positive index counts from zero, a
    // negative one is a resource id) before the row's caption, the generic one when the
    // file gives none. The list's one image list holds each location's icon once.
    void SetIcon(std::size_t index, const std::string& location);
    // The image the row shows: 0 is the generic icon; -1 before any row had an icon.
    int IconIndex(std::size_t index) const;
    void SelectAndFocusFirstRow();
    // Scrolls the row into view and makes it the selected and focused one.
    void SelectAndFocusRow(std::size_t index);

    // Orders the rows by the column the user last clicked (a second click on it reverses
    // the order); rows keep the scan order until the first click. The order is kept when
    // the list is filled again.
    void ApplySort();
    int SortColumn() const { return sortColumn_; }
    bool SortDescending() const { return sortDescending_; }

    bool GridLines() const;
    void SetGridLines(bool shown);

    void ApplyColumnCaptions(const Component& model);
    void SetDpi(UINT dpi);
    // Gives the filling column what the other columns leave, never below its minimum.
    void FitColumns();

    // The list's and its header's notifications, forwarded by the window; true when handled.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

private:
    void OnItemChanged(const NMLISTVIEW& change);
    LPARAM ItemData(std::size_t index) const;
    // The row in `rows_` that the item at `index` shows.
    std::size_t StoredIndex(std::size_t index) const;
    void SortBy(int column);
    void ShowSortMark();
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list);

    HWND hwnd_ = nullptr;
    UINT dpi_ = 96;
    std::vector<ListColumn> columns_;
    // Rows' texts as the catalogue gave them; a row may carry more sub-items than there are columns.
    std::vector<EntryRow> rows_;
    int silentDepth_ = 0;
    HIMAGELIST images_ = nullptr;            // made with the first icon; the list destroys it
    std::map<std::string, int> iconCache_;  // location -> image
    int sortColumn_ = -1;  // none: the scan order
    bool sortDescending_ = false;
};

// Writes a rebuild's rows into a list view.
class ListViewRowSink : public RowSink {
public:
    explicit ListViewRowSink(ListView& list) : list_(list) {}
    void Add(const EntryRow& row) override { list_.Add(row); }
    std::size_t Count() const override { return list_.Count(); }
    EntryRow Row(std::size_t index) const override { return list_.Row(index); }
    void SetChecked(std::size_t index, bool checked) override { list_.SetCheckedSilently(index, checked); }
    void SetIcon(std::size_t index, const std::string& location) override { list_.SetIcon(index, location); }
    void SetDimmed(std::size_t index, bool dimmed) override { list_.SetDimmed(index, dimmed); }

private:
    ListView& list_;
};

// Stops a list from painting while it is rebuilt; it repaints once at the end.
class BulkUpdate {
public:
    explicit BulkUpdate(const ListView& list);
    ~BulkUpdate();
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

private:
    HWND hwnd_;
};

}  // namespace kestrova
