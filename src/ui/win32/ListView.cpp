#include "ui/win32/ListView.h"

#include <algorithm>

#include <shellapi.h>

#include "catalogue/EntryDetails.h"
#include "platform/TextCase.h"
#include "platform/win32/WideString.h"
#include "ui/win32/Dpi.h"

namespace kestrova {

namespace {

void SetItemText(HWND list, std::size_t index, int subItem, const std::string& text)
{
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = subItem;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

void ListView::Create(HWND parent, const Component& model, UINT dpi)
{
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT |
                                LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            0, 0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    constexpr DWORD extended =
        LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    dpi_ = dpi;
    columns_ = model.columns;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        std::wstring caption = Widen(columns_[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = caption.data();
        column.cx = ScaleForDpi(columns_[i].width, dpi_);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

std::size_t ListView::Count() const { return rows_.size(); }

int ListView::SelectedIndex() const
{
    return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::Clear()
{
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    rows_.clear();
}

void ListView::Add(const EntryRow& row)
{
    std::size_t index = rows_.size();
    rows_.push_back(row);
    std::wstring caption = Widen(row.caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = static_cast<int>(index);
    item.pszText = caption.data();
    item.lParam = static_cast<LPARAM>(index);
    item.iImage = 0;  // the generic icon, once the list has icons
    if (SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
        rows_.pop_back();
        return;
    }
    std::size_t shown = std::min(row.subItems.size(), columns_.empty() ? 0 : columns_.size() - 1);
    for (std::size_t i = 0; i < shown; ++i)
        SetItemText(hwnd_, index, static_cast<int>(i + 1), row.subItems[i]);
    SetCheckedSilently(index, row.checked);
}

EntryRow ListView::Row(std::size_t index) const
{
    EntryRow row = rows_.at(StoredIndex(index));
    row.checked = ListView_GetCheckState(hwnd_, static_cast<UINT>(index)) != 0;
    return row;
}

void ListView::SetCheckedSilently(std::size_t index, bool checked)
{
    SilentChanges silent(*this);
    ListView_SetCheckState(hwnd_, static_cast<UINT>(index), checked);
}

LPARAM ListView::ItemData(std::size_t index) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

void ListView::SetDimmed(std::size_t index, bool dimmed)
{
    if (index >= rows_.size())
        return;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(index);
    item.lParam = dimmed ? (ItemData(index) | kDimmedRowFlag) : (ItemData(index) & ~kDimmedRowFlag);
    SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::size_t ListView::StoredIndex(std::size_t index) const
{
    if (index >= rows_.size())
        return index;
    const auto stored = static_cast<std::size_t>(ItemData(index) & ~kDimmedRowFlag);
    return stored < rows_.size() ? stored : index;
}

int CALLBACK ListView::CompareRows(LPARAM first, LPARAM second, LPARAM list)
{
    const ListView& self = *reinterpret_cast<const ListView*>(list);
    const auto a = static_cast<std::size_t>(first & ~kDimmedRowFlag);
    const auto b = static_cast<std::size_t>(second & ~kDimmedRowFlag);
    if (a >= self.rows_.size() || b >= self.rows_.size())
        return 0;
    const auto text = [&](std::size_t stored) -> const std::string& {
        static const std::string none;
        const EntryRow& row = self.rows_[stored];
        if (self.sortColumn_ == 0)
            return row.caption;
        const auto sub = static_cast<std::size_t>(self.sortColumn_ - 1);
        return sub < row.subItems.size() ? row.subItems[sub] : none;
    };
    int order = CompareIgnoringCase(text(a), text(b));
    if (self.sortDescending_)
        order = -order;
    // Equal texts keep the scan order.
    if (order == 0)
        order = a < b ? -1 : (a > b ? 1 : 0);
    return order;
}

void ListView::ApplySort()
{
    if (sortColumn_ >= 0)
        SendMessageW(hwnd_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
    ShowSortMark();
}

void ListView::SortBy(int column)
{
    if (column < 0 || static_cast<std::size_t>(column) >= columns_.size() || columns_[column].caption.empty())
        return;
    sortDescending_ = column == sortColumn_ ? !sortDescending_ : false;
    sortColumn_ = column;
    ApplySort();
}

void ListView::ShowSortMark()
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
    if (!header)
        return;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)))
            continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (static_cast<int>(i) == sortColumn_)
            item.fmt |= sortDescending_ ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

void ListView::SetIcon(std::size_t index, const std::string& location)
{
    if (index >= rows_.size())
        return;
    if (!images_) {
        const int size = ScaleForDpi(16, dpi_);
        images_ = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 16);
        if (!images_)
            return;
        ImageList_AddIcon(images_, LoadIconW(nullptr, IDI_APPLICATION));
        SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    }
    int image = 0;
    if (const auto cached = iconCache_.find(location); cached != iconCache_.end()) {
        image = cached->second;
    } else {
        const IconLocation parsed = ParseIconLocation(location);
        HICON smallIcon = nullptr;
        if (!parsed.path.empty() &&
            ExtractIconExW(Widen(parsed.path).c_str(), parsed.index, nullptr, &smallIcon, 1) > 0 && smallIcon) {
            const int added = ImageList_AddIcon(images_, smallIcon);
            if (added >= 0)
                image = added;
        }
        if (smallIcon)
            DestroyIcon(smallIcon);
        iconCache_.emplace(location, image);
    }
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = static_cast<int>(index);
    item.iImage = image;
    SendMessageW(hwnd_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::IconIndex(std::size_t index) const
{
    if (!images_ || index >= rows_.size())
        return -1;
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = static_cast<int>(index);
    if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return item.iImage;
}

bool ListView::Dimmed(std::size_t index) const { return index < rows_.size() && (ItemData(index) & kDimmedRowFlag); }

void ListView::SelectAndFocusFirstRow()
{
    SelectAndFocusRow(0);
}

void ListView::SelectAndFocusRow(std::size_t index)
{
    if (index >= rows_.size())
        return;
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(hwnd_, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

bool ListView::GridLines() const
{
    return (SendMessageW(hwnd_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES) != 0;
}

void ListView::SetGridLines(bool shown)
{
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, shown ? LVS_EX_GRIDLINES : 0);
}

void ListView::ApplyColumnCaptions(const Component& model)
{
    for (std::size_t i = 0; i < model.columns.size() && i < columns_.size(); ++i) {
        columns_[i].caption = model.columns[i].caption;
        std::wstring caption = Widen(columns_[i].caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = caption.data();
        SendMessageW(hwnd_, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void ListView::SetDpi(UINT dpi)
{
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        int width = static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, i, MulDiv(width, static_cast<int>(dpi), static_cast<int>(dpi_)));
    }
    dpi_ = dpi;
    FitColumns();
}

void ListView::FitColumns()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    int others = 0;
    int filling = -1;
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].fillsRest)
            filling = static_cast<int>(i);
        else
            others += static_cast<int>(SendMessageW(hwnd_, LVM_GETCOLUMNWIDTH, i, 0));
    }
    if (filling < 0)
        return;
    int minimum = ScaleForDpi(columns_[static_cast<std::size_t>(filling)].minWidth, dpi_);
    SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, filling, std::max(minimum, static_cast<int>(client.right) - others));
}

bool ListView::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom == hwnd_) {
        if (header.code == LVN_ITEMCHANGED)
            OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
        if (header.code == LVN_COLUMNCLICK)
            SortBy(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        if (header.code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                result = CDRF_NOTIFYITEMDRAW;
                return true;
            }
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.lItemlParam & kDimmedRowFlag)) {
                draw.clrText = GetSysColor(COLOR_GRAYTEXT);
                result = CDRF_NEWFONT;
                return true;
            }
        }
        return false;
    }
    if (GetParent(header.hwndFrom) != hwnd_)
        return false;
    const auto& change = reinterpret_cast<const NMHEADERW&>(header);
    if (change.iItem < 0 || static_cast<std::size_t>(change.iItem) >= columns_.size())
        return false;
    const ListColumn& column = columns_[static_cast<std::size_t>(change.iItem)];
    switch (header.code) {
    case HDN_BEGINTRACKW:
    case HDN_BEGINTRACKA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_DIVIDERDBLCLICKA:
        // Fixed and filling columns are sized by the program only.
        result = column.fixedWidth || column.fillsRest;
        return result != 0;
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
        if (change.pitem && (change.pitem->mask & HDI_WIDTH) && !column.fixedWidth && !column.fillsRest &&
            change.pitem->cxy < ScaleForDpi(column.minWidth, dpi_)) {
            result = TRUE;
            return true;
        }
        return false;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        if (!column.fillsRest)
            FitColumns();
        return false;
    default:
        return false;
    }
}

void ListView::OnItemChanged(const NMLISTVIEW& change)
{
    if (change.iItem < 0 || !(change.uChanged & LVIF_STATE))
        return;
    UINT changed = change.uNewState ^ change.uOldState;
    // A row's first state image is the box itself appearing, not a change of it.
    bool boxChanged = (changed & LVIS_STATEIMAGEMASK) && (change.uOldState & LVIS_STATEIMAGEMASK);
    if (boxChanged && !ChangesSilenced() && onItemChecked)
        onItemChecked(static_cast<std::size_t>(change.iItem));
    if ((changed & LVIS_SELECTED) && onSelectionChanged)
        onSelectionChanged();
}

BulkUpdate::BulkUpdate(const ListView& list) : hwnd_(list.Handle())
{
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

BulkUpdate::~BulkUpdate()
{
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace kestrova
