// The system's file-save dialog for gui::SaveDialog.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "gui/application.h"
#include "gui/form.h"
#include "gui/save_dialog.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace gui::win32 {

using platform::win32::Narrow;
using platform::win32::NarrowPath;
using platform::win32::Wide;

namespace {

// "a|b|c|d" to the system's "a\0b\0c\0d\0\0". Split after the conversion: in Shift-JIS the byte
// of "|" can be the second half of a double-byte character.
std::wstring FilterList(const std::string& filter) {
  std::wstring list = Wide(filter);
  std::replace(list.begin(), list.end(), L'|', L'\0');
  list.append(2, L'\0');
  return list;
}

// Null for an empty text, so the dialog uses its own default.
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The dialog's library is loaded when the dialog is first wanted: loading it (with the printing
// libraries it brings) at every start costs a visible part of the start-up.
BOOL SaveFileName(OPENFILENAMEW& ofn) {
  using Function = BOOL(WINAPI*)(LPOPENFILENAMEW);
  static const Function function = platform::win32::SystemEntry<Function>(L"comdlg32.dll", "GetSaveFileNameW");
  return function != nullptr && function(&ofn);
}

}  // namespace

std::optional<std::string> Backend::RunSaveDialog(const SaveDialog& dialog) {
  Form& form = dialog.OwnerForm();
  const std::wstring initialDir = Wide(dialog.InitialDir);
  const std::wstring title = Wide(dialog.Title);
  const std::wstring defaultExt = Wide(dialog.DefaultExt);
  const std::wstring filter = dialog.Filter.empty() ? std::wstring() : FilterList(dialog.Filter);
  const std::wstring proposed = Wide(dialog.FileName);
  std::vector<wchar_t> file(std::max<size_t>(proposed.size() + 1, 4096), L'\0');
  std::copy(proposed.begin(), proposed.end(), file.begin());

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = form.HasPeer() && form.Visible() ? reinterpret_cast<HWND>(form.GetHandle()) : appWindow_;
  ofn.lpstrFilter = OrNull(filter);
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = OrNull(initialDir);
  ofn.lpstrTitle = OrNull(title);
  ofn.lpstrDefExt = OrNull(defaultExt);
  // The dialog would otherwise leave the process in the last folder the user visited.
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (dialog.HideReadOnly ? OFN_HIDEREADONLY : 0) |
              (dialog.PathMustExist ? OFN_PATHMUSTEXIST : 0);

  // The dialog disables only its owner; like a modal form it keeps the user away from them all.
  const std::vector<HWND> disabled = DisableForms(&form);
  const BOOL chosen = SaveFileName(ofn);
  EnableForms(disabled);
  if (!chosen) return std::nullopt;
  // A new file has no 8.3 name yet: its folder may go by its own, its name must be held.
  const std::wstring path = file.data();
  const size_t cut = path.find_last_of(L'\\');
  std::optional<std::string> folder = cut == std::wstring::npos ? std::string() : NarrowPath(path.substr(0, cut + 1));
  std::optional<std::string> name = Narrow(path.substr(cut == std::wstring::npos ? 0 : cut + 1));
  if (!folder || !name) {
    form.App().TextRefused();
    return std::nullopt;
  }
  return *folder + *name;
}

}  // namespace gui::win32
