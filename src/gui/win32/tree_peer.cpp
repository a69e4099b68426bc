// The peer on the native tree view.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "gui/tree_view.h"
#include "gui/win32/gdi_canvas.h"
#include "gui/win32/peers.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::Wide;

namespace {

class TreePeer : public NativePeer {
 public:
  TreePeer(Backend& backend, TreeView& tree) : NativePeer(backend, tree, WC_TREEVIEWW), tree_(tree) { Create(); }
  ~TreePeer() override {
    if (images_ != nullptr) ImageList_Destroy(images_);
  }

  void Changed(Property what, int index) override {
    if (hwnd_ == nullptr) return;
    TreeNode* node = tree_.ChangedNode();
    pushing_ = true;
    switch (what) {
      case Property::Items: Rebuild(); break;
      case Property::ItemAdded: Insert(*node); break;
      case Property::ItemDeleted: {
        auto it = items_.find(node);
        if (it != items_.end()) {
          HTREEITEM h = it->second;
          ForgetTree(*node);
          SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
        }
        break;
      }
      case Property::Caption:
        if (node != nullptr) {
          UpdateItem(*node);
        } else {
          NativePeer::Changed(what, index);
        }
        break;
      case Property::Style:
        if (node != nullptr) UpdateItem(*node);
        break;
      case Property::ItemIndex: {
        auto it = items_.find(tree_.Selected());
        SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it != items_.end() ? it->second : nullptr));
        break;
      }
      case Property::Picture: PushImages(); break;
      case Property::Color:
      case Property::Font:
        TreeView_SetBkColor(hwnd_, ToColorRef(tree_.Color()));
        TreeView_SetTextColor(hwnd_, ToColorRef(tree_.Font().color));
        pushing_ = false;
        NativePeer::Changed(what, index);
        return;
      default: pushing_ = false; NativePeer::Changed(what, index); return;
    }
    pushing_ = false;
  }

  bool OnNotify(const NMHDR& header, LRESULT& result) override {
    switch (header.code) {
      case TVN_SELCHANGEDW: {
        const auto& n = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (!pushing_) tree_.PeerSelected(reinterpret_cast<TreeNode*>(n.itemNew.lParam), n.action == TVC_BYMOUSE || n.action == TVC_BYKEYBOARD);
        result = 0;
        return true;
      }
      case TVN_ITEMEXPANDINGW: {
        const auto& n = reinterpret_cast<const NMTREEVIEWW&>(header);
        auto* node = reinterpret_cast<TreeNode*>(n.itemNew.lParam);
        result = FALSE;
        if (pushing_ || node == nullptr || expanding_ != nullptr) return true;
        // The window expands or collapses by itself when allowed; the state follows without
        // being pushed back.
        expanding_ = node;
        const bool allowed = n.action == TVE_EXPAND ? tree_.UserExpand(*node) : tree_.UserCollapse(*node);
        expanding_ = nullptr;
        result = allowed ? FALSE : TRUE;
        return true;
      }
      case NM_DBLCLK:
        tree_.UserDblClick();
        result = 0;
        return true;
      default: return false;
    }
  }

 protected:
  DWORD Style(DWORD& exStyle) const override {
    exStyle = WS_EX_CLIENTEDGE;
    return TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | (tree_.ReadOnly() ? 0 : TVS_EDITLABELS);
  }
  void PushAll() override {
    NativePeer::PushAll();
    TreeView_SetBkColor(hwnd_, ToColorRef(tree_.Color()));
    TreeView_SetTextColor(hwnd_, ToColorRef(tree_.Font().color));
    PushImages();
    Rebuild();
  }

 private:
  void Rebuild() {
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    items_.clear();
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (int i = 0; i < tree_.Count(); ++i) InsertTree(*tree_.Root(i));
    auto it = items_.find(tree_.Selected());
    if (it != items_.end()) SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it->second));
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  }
  void InsertTree(TreeNode& node) {
    Insert(node);
    for (int i = 0; i < node.Count(); ++i) InsertTree(*node.Child(i));
    if (node.Expanded()) UpdateItem(node);
  }
  void Insert(TreeNode& node) {
    std::wstring text = Wide(node.Text());
    TVINSERTSTRUCTW ins{};
    auto parent = items_.find(node.Parent());
    ins.hParent = node.Parent() != nullptr && parent != items_.end() ? parent->second : TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.iImage = ImageOf(node.ImageIndex());
    ins.item.iSelectedImage = ImageOf(node.SelectedIndex());
    ins.item.pszText = text.data();
    ins.item.lParam = reinterpret_cast<LPARAM>(&node);
    ins.item.cChildren = node.HasChildren() ? 1 : 0;
    ins.item.stateMask = TVIS_BOLD;
    ins.item.state = node.Bold() ? TVIS_BOLD : 0;
    items_[&node] = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (node.Parent() != nullptr) UpdateItem(*node.Parent());
  }
  void UpdateItem(TreeNode& node) {
    auto it = items_.find(&node);
    if (it == items_.end()) return;
    std::wstring text = Wide(node.Text());
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_STATE | TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = ImageOf(node.ImageIndex());
    item.iSelectedImage = ImageOf(node.SelectedIndex());
    item.hItem = it->second;
    item.pszText = text.data();
    item.cChildren = node.HasChildren() ? 1 : 0;
    item.stateMask = TVIS_BOLD;
    item.state = node.Bold() ? TVIS_BOLD : 0;
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (&node == expanding_) return;  // the window is expanding it already
    const bool shown = (SendMessageW(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(it->second), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (shown != node.Expanded()) SendMessageW(hwnd_, TVM_EXPAND, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(it->second));
  }
  // A node without a picture gets none even when the tree has an image list.
  static int ImageOf(int index) { return index >= 0 ? index : I_IMAGENONE; }
  // The tree's pictures as the window's image list, the transparent colour masked out.
  void PushImages() {
    HIMAGELIST old = images_;
    images_ = nullptr;
    const auto& pictures = tree_.Images();
    if (!pictures.empty() && pictures[0] != nullptr && !pictures[0]->Empty()) {
      const int w = pictures[0]->Width(), h = pictures[0]->Height();
      images_ = ImageList_Create(w, h, ILC_COLOR32 | ILC_MASK, static_cast<int>(pictures.size()), 0);
      HDC screen = GetDC(nullptr);
      for (const auto& picture : pictures) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap == nullptr) continue;
        // Pictures of another size are cut or padded with the transparent colour.
        auto* out = static_cast<std::uint32_t*>(bits);
        for (int y = 0; y < h; ++y) {
          for (int x = 0; x < w; ++x) {
            const Color c = x < picture->Width() && y < picture->Height() ? picture->Pixel(x, y) : tree_.ImagesTransparent();
            out[y * w + x] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
          }
        }
        ImageList_AddMasked(images_, bitmap, ToColorRef(tree_.ImagesTransparent()));
        DeleteObject(bitmap);
      }
      ReleaseDC(nullptr, screen);
    }
    SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    if (old != nullptr) ImageList_Destroy(old);
  }
  void ForgetTree(TreeNode& node) {
    items_.erase(&node);
    for (int i = 0; i < node.Count(); ++i) ForgetTree(*node.Child(i));
  }

  TreeView& tree_;
  std::unordered_map<TreeNode*, HTREEITEM> items_;
  TreeNode* expanding_ = nullptr;
  HIMAGELIST images_ = nullptr;
};


}  // namespace

std::unique_ptr<ControlPeer> CreateTreePeer(Backend& backend, TreeView& tree) { return std::make_unique<TreePeer>(backend, tree); }

}  // namespace gui::win32
