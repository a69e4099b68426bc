#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

constexpr size_t kNameLimit = 256;
static_assert(sfgao::kStream == SFGAO_STREAM && sfgao::kFolder == SFGAO_FOLDER &&
              sfgao::kFileSystem == SFGAO_FILESYSTEM);

// Releases a COM interface or frees an item id list when it goes out of scope.
template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};
struct FreedIdList {
  LPITEMIDLIST p = nullptr;
  ~FreedIdList() { CoTaskMemFree(p); }
};

// The display name of `child` in the given form; the name ends at its first NUL among the first
// 256 characters. A name the program's text cannot hold goes by the 8.3 form of the child's path
// (its last component for the normal name), which names exactly that folder; S_FALSE when it has
// none.
HRESULT NameOf(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF form, std::string& name) {
  STRRET ret;
  HRESULT hr = folder->GetDisplayNameOf(child, form, &ret);
  if (FAILED(hr)) return hr;
  wchar_t* text = nullptr;
  hr = StrRetToStrW(&ret, child, &text);
  if (FAILED(hr)) return hr;
  size_t length = 0;
  while (length < kNameLimit && text[length] != L'\0') ++length;
  if (length == kNameLimit) length = wcslen(text);
  std::optional<std::string> held = form == SHGDN_FORPARSING ? NarrowPath(std::wstring(text, length))
                                                               : Narrow(text, static_cast<int>(length));
  CoTaskMemFree(text);
  if (held) {
    name = std::move(*held);
    return S_OK;
  }
  if (form == SHGDN_FORPARSING) return S_FALSE;
  hr = folder->GetDisplayNameOf(child, SHGDN_FORPARSING, &ret);
  if (FAILED(hr) || FAILED(StrRetToStrW(&ret, child, &text))) return S_FALSE;
  std::optional<std::string> shortPath = NarrowPath(text);
  CoTaskMemFree(text);
  if (!shortPath) return S_FALSE;
  const size_t cut = shortPath->find_last_of('\\');
  name = cut == std::string::npos ? *shortPath : shortPath->substr(cut + 1);
  return S_OK;
}

}  // namespace

Win32Shell::~Win32Shell() {
  if (desktop_ != nullptr) desktop_->Release();
}

ShellListing Win32Shell::Folders(const std::string& folder, bool includeHidden, bool parsingNames) {
  ShellListing listing;
  auto fail = [&listing](HRESULT hr) {
    listing.items.clear();
    listing.error = static_cast<uint32_t>(hr);
    return listing;
  };
  if (desktop_ == nullptr) {
    HRESULT hr = SHGetDesktopFolder(&desktop_);
    if (FAILED(hr)) {
      desktop_ = nullptr;
      return fail(hr);
    }
  }
  HWND owner = reinterpret_cast<HWND>(owner_);
  std::wstring path = WidePath(folder);  // ParseDisplayName takes a writable string
  FreedIdList pidl;
  HRESULT hr = desktop_->ParseDisplayName(owner, nullptr, path.data(), nullptr, &pidl.p, nullptr);
  if (FAILED(hr)) return fail(hr);
  Released<IShellFolder> shellFolder;
  hr = desktop_->BindToObject(pidl.p, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shellFolder.p));
  if (FAILED(hr)) return fail(hr);
  Released<IEnumIDList> children;
  SHCONTF flags = SHCONTF_FOLDERS | (includeHidden ? SHCONTF_INCLUDEHIDDEN : 0);
  hr = shellFolder.p->EnumObjects(owner, flags, &children.p);
  if (FAILED(hr)) return fail(hr);
  if (hr == S_FALSE || children.p == nullptr) return listing;  // nothing to enumerate
  for (;;) {
    FreedIdList child;
    hr = children.p->Next(1, &child.p, nullptr);
    if (FAILED(hr)) return fail(hr);
    if (hr != S_OK) break;
    // Only real folders: Windows 7 and later enumerate zip and cab files among the folders.
    LPCITEMIDLIST one = child.p;
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_STREAM;
    hr = shellFolder.p->GetAttributesOf(1, &one, &attributes);
    if (FAILED(hr)) return fail(hr);
    if (!IsFileSystemFolder(attributes)) continue;
    ShellItem item;
    hr = NameOf(shellFolder.p, child.p, SHGDN_NORMAL, item.name);
    if (FAILED(hr)) return fail(hr);
    if (hr == S_FALSE) continue;  // left out: the file list counts it
    if (parsingNames) {
      hr = NameOf(shellFolder.p, child.p, SHGDN_FORPARSING, item.parsingName);
      if (FAILED(hr)) return fail(hr);
      if (hr == S_FALSE) continue;
    }
    listing.items.push_back(std::move(item));
  }
  return listing;
}

std::optional<std::string> Win32Shell::SpecialFolderPath(SpecialFolder which) {
  // The local application data folder is where the program keeps its data, so it is created
  // when a new profile does not have it yet.
  int csidl = which == SpecialFolder::kDesktop        ? CSIDL_DESKTOPDIRECTORY
              : which == SpecialFolder::kPrograms     ? CSIDL_PROGRAMS
              : which == SpecialFolder::kLocalAppData ? CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE
              : which == SpecialFolder::kProfile      ? CSIDL_PROFILE
                                                      : CSIDL_STARTUP;
  wchar_t buffer[MAX_PATH + 1] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return std::nullopt;
  return NarrowPath(buffer);
}

}  // namespace platform::win32
