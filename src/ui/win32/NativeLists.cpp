#include "platform/win32/WinApi.h"
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ui/win32/CommonControls.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Gdi.h"
#include "ui/win32/NativeForm.h"

// The lists of the native controls: combo and list box items, tabs, list view rows with their
// small pictures.

namespace win32 {

namespace {

bool SameRows(const std::vector<ui::ListRow>& a, const std::vector<ui::ListRow>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].caption != b[i].caption || a[i].subItems != b[i].subItems || a[i].imageIndex != b[i].imageIndex)
            return false;
    return true;
}

bool SameColumns(const std::vector<ui::ListColumn>& a, const std::vector<ui::ListColumn>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].caption != b[i].caption || a[i].width != b[i].width) return false;
    return true;
}

bool SamePictures(const std::vector<ui::Picture>& a, const std::vector<ui::Picture>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].width != b[i].width || a[i].height != b[i].height || a[i].pixels != b[i].pixels) return false;
    return true;
}

}  // namespace

void NativeForm::SyncLists(NativeControl& native) {
    ui::Control& c = *native.model;
    HWND h = native.hwnd;
    std::vector<std::string> items;
    int index = -1;
    UINT reset = CB_RESETCONTENT, add = CB_ADDSTRING, select = CB_SETCURSEL;
    if (c.kind == ui::ControlKind::ComboBox) {
        items = static_cast<ui::ComboBox&>(c).items;
        index = static_cast<ui::ComboBox&>(c).itemIndex;
    } else if (c.kind == ui::ControlKind::ListBox) {
        items = static_cast<ui::ListBox&>(c).items;
        index = static_cast<ui::ListBox&>(c).itemIndex;
        reset = LB_RESETCONTENT, add = LB_ADDSTRING, select = LB_SETCURSEL;
    } else {
        for (ui::TabSheet* sheet : static_cast<ui::PageControl&>(c).pages) items.push_back(sheet->caption);
        index = static_cast<ui::PageControl&>(c).activePage;
    }
    if (items != native.items) {
        native.items = items;
        native.itemIndex = -2;
        if (c.kind == ui::ControlKind::PageControl) {
            SendMessageA(h, TCM_DELETEALLITEMS, 0, 0);
            for (std::size_t i = 0; i < items.size(); ++i) {
                TCITEMA tab{};
                tab.mask = TCIF_TEXT;
                tab.pszText = &items[i][0];
                SendMessageA(h, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
            }
            for (auto& entry : natives_)  // the page area may have changed with the tab rows
                if (entry.first->kind == ui::ControlKind::TabSheet) entry.second.bounds = RECT{-1, -1, -1, -1};
        } else {
            // Emptying a combo box empties its edit part: the model's text goes there anew.
            if (c.kind == ui::ControlKind::ComboBox) native.text.clear();
            SendMessageA(h, reset, 0, 0);
            for (const std::string& item : items) SendMessageA(h, add, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    if (index != native.itemIndex) {
        native.itemIndex = index;
        SendMessageA(h, c.kind == ui::ControlKind::PageControl ? TCM_SETCURSEL : select, static_cast<WPARAM>(index), 0);
    }
}

void NativeForm::SyncListView(NativeControl& native, ui::ListView& list) {
    HWND h = native.hwnd;
    std::vector<ui::ListColumn> columns = list.columns;
    const bool headers = !columns.empty() && list.showColumnHeaders;
    for (ui::ListColumn& column : columns) column.width = Scale(column.width);
    if (columns.empty())
        columns.push_back(ui::ListColumn{"", std::max(0, Scale(list.width) - Scale(4) - SystemMetricForDpi(SM_CXVSCROLL, dpi_))});
    if (headers != (native.headers == 1)) {
        native.headers = headers ? 1 : 0;
        LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
        style = headers ? (style & ~LVS_NOCOLUMNHEADER) : (style | LVS_NOCOLUMNHEADER);
        SetWindowLongPtrA(h, GWL_STYLE, style);
        if (HWND header = reinterpret_cast<HWND>(SendMessageA(h, LVM_GETHEADER, 0, 0)))
            ShowWindow(header, headers ? SW_SHOWNA : SW_HIDE);
    }
    if (!SameColumns(columns, native.columns)) {
        native.columns = columns;
        while (SendMessageA(h, LVM_DELETECOLUMN, 0, 0)) {
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = &columns[i].caption[0];
            column.cx = columns[i].width;
            column.iSubItem = static_cast<int>(i);
            SendMessageA(h, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
    }
    SyncListImages(native, list);
    // The list holds no texts of its own (LVS_OWNERDATA): it asks for those of the rows it
    // shows (ListViewDisplayInfo), so that thousands of wake dates are there at once.
    if (!SameRows(list.rows, native.rows)) {
        native.rows = list.rows;
        native.itemIndex = -2;
        SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
        SendMessageA(h, LVM_SETITEMCOUNT, list.rows.size(), 0);
        InvalidateRect(h, nullptr, TRUE);
    }
    if (list.itemIndex != native.itemIndex) {
        native.itemIndex = list.itemIndex;
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        if (list.itemIndex >= 0) {
            state.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(h, LVM_SETITEMSTATE, static_cast<WPARAM>(list.itemIndex), reinterpret_cast<LPARAM>(&state));
            SendMessageA(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(list.itemIndex), FALSE);
        }
    }
}

bool NativeForm::ListViewDisplayInfo(const NativeControl& native, const NMHDR& header) {
    if (header.code != LVN_GETDISPINFOA && header.code != LVN_GETDISPINFOW) return false;
    // Both forms share the layout up to the text pointer's type.
    auto& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
    if (item.iItem < 0 || item.iItem >= static_cast<int>(native.rows.size())) return true;
    const ui::ListRow& row = native.rows[static_cast<std::size_t>(item.iItem)];
    if (item.mask & LVIF_IMAGE) item.iImage = row.imageIndex;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::size_t column = static_cast<std::size_t>(std::max(0, item.iSubItem));
        const std::string& text =
            column == 0 ? row.caption : column <= row.subItems.size() ? row.subItems[column - 1] : std::string();
        if (header.code == LVN_GETDISPINFOA) {
            lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        } else {
            // Converted whole, then cut to the list's buffer as the ANSI form is.
            const int size = static_cast<int>(text.size());
            std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)), L'\0');
            if (!wide.empty()) MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
            lstrcpynW(reinterpret_cast<LPWSTR>(item.pszText), wide.c_str(), item.cchTextMax);
        }
    }
    return true;
}

// Typing over a list selects the next row that starts with what was typed; a virtual list asks
// for that row.
bool NativeForm::ListViewFindItem(const NativeControl& native, const NMHDR& header, LRESULT& result) {
    if (header.code != LVN_ODFINDITEMA && header.code != LVN_ODFINDITEMW) return false;
    result = -1;
    const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return true;
    std::string wanted;
    if (header.code == LVN_ODFINDITEMA) {
        wanted = find.lvfi.psz;
    } else {
        const auto* wide = reinterpret_cast<LPCWSTR>(find.lvfi.psz);
        // The size counted includes the terminating zero, which the string does not keep.
        wanted.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr)));
        if (!wanted.empty()) {
            WideCharToMultiByte(CP_ACP, 0, wide, -1, &wanted[0], static_cast<int>(wanted.size()), nullptr, nullptr);
            wanted.pop_back();
        }
    }
    const int count = static_cast<int>(native.rows.size());
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const bool wrap = (find.lvfi.flags & LVFI_WRAP) != 0;
    int start = std::max(0, find.iStart);
    if (start >= count) {
        if (!wrap) return true;
        start = 0;
    }
    const int steps = wrap ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int row = (start + step) % count;
        const std::string& caption = native.rows[static_cast<std::size_t>(row)].caption;
        if (partial ? caption.size() < wanted.size() : caption.size() != wanted.size()) continue;
        if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(), static_cast<int>(wanted.size()),
                           wanted.data(), static_cast<int>(wanted.size())) == CSTR_EQUAL) {
            result = row;
            break;
        }
    }
    return true;
}

void NativeForm::SyncListImages(NativeControl& native, ui::ListView& list) {
    if (SamePictures(list.smallImages, native.images)) return;
    native.images = list.smallImages;
    HIMAGELIST images = nullptr;
    if (!list.smallImages.empty() && !list.smallImages.front().Empty()) {
        // Every picture of an image list has the size of the first; the colour of a picture's
        // bottom-left pixel is left out, as in a picture drawn transparently.
        const ui::Picture& first = list.smallImages.front();
        const int width = Scale(first.width), height = Scale(first.height);
        images = CreateImageList(width, height, static_cast<int>(list.smallImages.size()));
        for (const ui::Picture& picture : list.smallImages) {
            HBITMAP bitmap = CreatePictureBitmap(ui::ScalePicture(picture, width, height));
            AddToImageList(images, bitmap, PictureColorRef(picture.TransparentColor()));
            if (bitmap) DeleteObject(bitmap);
        }
    }
    // The list view owns its image list and lets go of the old one here.
    auto old = reinterpret_cast<HIMAGELIST>(
        SendMessageA(native.hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (old && old != images) DestroyImageList(old);
}

}  // namespace win32
