// Peers on the native report list view and the native header bar.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "gui/header_control.h"
#include "gui/list_view.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Wide;

namespace {

int ColumnFormat(TextAlignment a) {
  switch (a) {
    case TextAlignment::Right: return LVCFMT_RIGHT;
    case TextAlignment::Center: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

class ListViewPeer : public NativePeer {
 public:
  ListViewPeer(Backend& backend, ListView& list) : NativePeer(backend, list, WC_LISTVIEWW), list_(list) { Create(); }
  ~ListViewPeer() override { DropStyleFonts(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    const int column = list_.ChangedColumn();
    pushing_ = true;
    switch (what) {
      case Property::Items: FillItems(); break;
      case Property::ItemAdded:
        if (column >= 0) {
          InsertColumn(column);
        } else {
          InsertRow(index);
        }
        break;
      case Property::ItemDeleted: SendMessageW(hwnd_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0); break;
      case Property::ItemIndex: PushSelection(); break;
      case Property::Updating: Redraw(index == 0); break;
      case Property::Caption:
      case Property::Style:
        if (column >= 0) {
          UpdateColumn(column);
          break;
        }
        pushing_ = false;
        if (what == Property::Style) {
          Recreate();
        } else {
          NativePeer::Changed(what, index);
        }
        return;
      case Property::Color:
      case Property::Font:
        DropStyleFonts();
        PushColors();
        pushing_ = false;
        NativePeer::Changed(what, index);
        return;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }

  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case LVN_ITEMCHANGED: {
        const auto& n = reinterpret_cast<const NMLISTVIEW&>(header);
        result = 0;
        if (pushing_ || n.iItem < 0 || (n.uChanged & LVIF_STATE) == 0) return true;
        const bool was = (n.uOldState & LVIS_SELECTED) != 0, now = (n.uNewState & LVIS_SELECTED) != 0;
        if (now && !was) {
          list_.UserSelect(n.iItem);
        } else if (was && !now && n.iItem == list_.ItemIndex()) {
          list_.PeerDeselected();
        }
        return true;
      }
      case LVN_COLUMNCLICK:
        list_.UserColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        result = 0;
        return true;
      case NM_DBLCLK:
        list_.UserDblClick();
        result = 0;
        return true;
      case NM_CUSTOMDRAW: {
        // The row's look is the control's decision; the window only gets the font for it.
        const auto& draw = reinterpret_cast<const NMLVCUSTOMDRAW&>(header);
        result = CDRF_DODEFAULT;
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
          result = CDRF_NOTIFYITEMDRAW;
        } else if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
          const RowStyle style = list_.RowStyleOf(static_cast<int>(draw.nmcd.dwItemSpec));
          if (style != RowStyle{}) {
            SelectObject(draw.nmcd.hdc, StyleFont(style));
            result = CDRF_NEWFONT;
          }
        }
        return true;
      }
      default: return false;
    }
  }

 protected:
  DWORD Style(DWORD& exStyle) const override {
    exStyle = WS_EX_CLIENTEDGE;
    return LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | (list_.ReadOnly() ? 0 : LVS_EDITLABELS) |
           (list_.ColumnClick() ? 0 : LVS_NOSORTHEADER);
  }
  void PushAll() override {
    NativePeer::PushAll();
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, list_.RowSelect() ? LVS_EX_FULLROWSELECT : 0);
    PushColors();
    for (int i = 0; i < list_.ColumnCount(); ++i) InsertColumn(i);
    FillItems();
  }

 private:
  void PushColors() {
    const COLORREF back = ToColorRef(list_.Color());
    SendMessageW(hwnd_, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageW(hwnd_, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageW(hwnd_, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ToColorRef(list_.Font().color)));
  }
  LVCOLUMNW ColumnInfo(int i, std::wstring& text) const {
    const ListColumn& c = list_.Column(i);
    text = Wide(c.Caption());
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = ColumnFormat(c.Alignment());
    col.cx = c.Width();
    col.pszText = text.data();
    col.iSubItem = i;
    return col;
  }
  void InsertColumn(int i) {
    std::wstring text;
    LVCOLUMNW col = ColumnInfo(i, text);
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  void UpdateColumn(int i) {
    std::wstring text;
    LVCOLUMNW col = ColumnInfo(i, text);
    SendMessageW(hwnd_, LVM_SETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  void InsertRow(int i) {
    const ListItem& item = list_.Item(i);
    std::wstring text = Wide(item.caption);
    LVITEMW row{};
    row.mask = LVIF_TEXT;
    row.iItem = i;
    row.pszText = text.data();
    const int at = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    for (size_t s = 0; s < item.subItems.size(); ++s) {
      std::wstring sub = Wide(item.subItems[s]);
      LVITEMW cell{};
      cell.iSubItem = static_cast<int>(s) + 1;
      cell.pszText = sub.data();
      SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&cell));
    }
  }
  void FillItems() {
    Redraw(false);
    SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(hwnd_, LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.Count()), 0);
    for (int i = 0; i < list_.Count(); ++i) InsertRow(i);
    PushSelection();
    if (!list_.Updating()) Redraw(true);
  }
  // The selected row is also the focused one and is scrolled into view.
  void PushSelection() {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    const int row = list_.ItemIndex();
    if (row < 0) {
      state.stateMask = LVIS_SELECTED;
      SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
      return;
    }
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  }
  void Redraw(bool on) {
    SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(hwnd_, nullptr, TRUE);
  }
  // The list's font in a row style, made once per style while the font stays.
  HFONT StyleFont(const RowStyle& style) {
    const int key = (style.italic ? 1 : 0) | (style.strikeOut ? 2 : 0) | (style.bold ? 4 : 0);
    if (styleFonts_[key] == nullptr) {
      LOGFONTW lf{};
      GetObjectW(backend_.Fonts().Get(list_.Font()), sizeof(lf), &lf);
      lf.lfItalic = style.italic ? TRUE : FALSE;
      lf.lfStrikeOut = style.strikeOut ? TRUE : FALSE;
      if (style.bold) lf.lfWeight = FW_BOLD;
      styleFonts_[key] = CreateFontIndirectW(&lf);
    }
    return styleFonts_[key];
  }
  void DropStyleFonts() {
    for (HFONT& f : styleFonts_) {
      if (f != nullptr) DeleteObject(f);
      f = nullptr;
    }
  }

  ListView& list_;
  HFONT styleFonts_[8] = {};
};

class HeaderPeer : public NativePeer {
 public:
  HeaderPeer(Backend& backend, HeaderControl& header) : NativePeer(backend, header, WC_HEADERW), header_(header) { Create(); }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    pushing_ = true;
    switch (what) {
      case Property::ItemAdded: InsertSection(index); break;
      case Property::Caption:
      case Property::Style:
        if (index < 0) {
          pushing_ = false;
          NativePeer::Changed(what, index);
          return;
        }
        UpdateSection(index);
        break;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }

  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    if (header.code != HDN_ITEMCLICKW && header.code != HDN_ITEMCLICKA) return false;
    header_.UserSectionClick(reinterpret_cast<const NMHEADERW&>(header).iItem);
    result = 0;
    return true;
  }

 protected:
  DWORD Style(DWORD&) const override { return HDS_BUTTONS | HDS_HORZ; }
  void PushAll() override {
    NativePeer::PushAll();
    for (int i = 0; i < header_.SectionCount(); ++i) InsertSection(i);
  }

 private:
  HDITEMW SectionInfo(int i, std::wstring& text) const {
    text = Wide(header_.Section(i).text);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.cxy = header_.Section(i).width;
    item.pszText = text.data();
    return item;
  }
  void InsertSection(int i) {
    std::wstring text;
    HDITEMW item = SectionInfo(i, text);
    SendMessageW(hwnd_, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  void UpdateSection(int i) {
    std::wstring text;
    HDITEMW item = SectionInfo(i, text);
    SendMessageW(hwnd_, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }

  HeaderControl& header_;
};

}  // namespace

std::unique_ptr<ControlPeer> CreateListViewPeer(Backend& backend, ListView& list) {
  return std::make_unique<ListViewPeer>(backend, list);
}

std::unique_ptr<ControlPeer> CreateHeaderPeer(Backend& backend, HeaderControl& header) {
  return std::make_unique<HeaderPeer>(backend, header);
}

}  // namespace gui::win32
