// Benchmark (not a test): the file list of a folder of 10,000 screen savers with their names
// shown, on real windows and files, against a bare enumeration of the folder, in one run: read
// without the description cache, the first listing with an empty cache, a later listing in the
// same process, and the listing of a next start that finds the cache file; then the first listing
// of savers of today, which carry no description text and are named by their string resource 1.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "browse/file_browser.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/win32/win32_backend.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "store/description_cache.h"
#include "store/listing_cache.h"
#include "store/list_file.h"
#include "support/pe_image.h"

namespace {

constexpr int kSavers = 10000;

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::wstring SaverPath(const std::wstring& root, int i) { return root + L"\\SAVER" + std::to_wstring(i) + L".SCR"; }

void WriteSaver(const std::wstring& path, const std::string& body) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
  CloseHandle(h);
}

int BareEnumeration(const std::wstring& root) {
  int n = 0;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((root + L"\\*.SCR").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileW(h, &data));
  FindClose(h);
  return n;
}

// The least any program pays to read the savers' names: the enumeration, then opening each file
// and reading its head.
int BareReading(const std::wstring& root) {
  int n = 0;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((root + L"\\*.SCR").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return 0;
  std::vector<char> head(4096);
  do {
    HANDLE f = CreateFileW((root + L"\\" + data.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) continue;
    DWORD got = 0;
    if (ReadFile(f, head.data(), static_cast<DWORD>(head.size()), &got, nullptr) && got > 0) ++n;
    CloseHandle(f);
  } while (FindNextFileW(h, &data));
  FindClose(h);
  return n;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"qv-list-bench";
  const std::wstring cacheFile = std::wstring(temp) + L"QVNAME32.DAT";
  const std::wstring listingFile = std::wstring(temp) + L"QVLIST32.DAT";
  const std::wstring named = root + L"-named";
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(named.c_str(), nullptr);
  for (int i = 0; i < kSavers; ++i) {
    // Every tenth saver has no description; the others share a hundred, past 2 KB of header. The
    // savers of today carry their names in resources behind 8 KB of code.
    std::string body = "MZ" + std::string(2100, '\x01');
    if (i % 10 != 0) body += "SCRNSAVE : Starfield " + std::to_string(i % 100);
    WriteSaver(SaverPath(root, i), body + std::string(1, '\0'));
    const std::u16string name = u"Starfield " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    WriteSaver(SaverPath(named, i), testsupport::PeImage({false, {{0x0409, name}, {0x0411, name}}, 0x2000}));
  }
  DeleteFileW(cacheFile.c_str());
  DeleteFileW(listingFile.c_str());

  platform::win32::Win32Platform os;
  platform::Services services = os.Services();
  gui::win32::Backend backend;
  gui::Application app(backend);
  auto& f = app.CreateForm<forms::TQUOVEL32KAPUL>();
  f.PanelOPEN.SetVisible(false);
  f.SSN.SetChecked(true);
  f.CB5.SetChecked(true);
  common::TMKBoxDlg box(app, os.desktop);
  browse::ShellPaths paths(os.fs, os.shell, os.collation, os.desktop.WindowsFolder());
  const std::string data = *platform::win32::Narrow(std::wstring(temp));
  const std::string folder = *platform::win32::Narrow(root);
  f.Show();

  auto list = [&](browse::FileBrowser& browser) {
    browser.SetFilter("*.SCR;", 0x27);
    const double t0 = Now();
    browser.FillFileList(folder);
    return Now() - t0;
  };
  auto listWith = [&](browse::BrowserHooks hooks) {
    browse::FileBrowser browser(app, f, services, box, paths, "C:\\QUOVEL32.EXE", std::move(hooks));
    return list(browser);
  };
  double bare = 1e9;
  for (int i = 0; i < 5; ++i) {
    const double t0 = Now();
    if (BareEnumeration(root) != kSavers) std::printf("bare enumeration missed files\n");
    bare = std::min(bare, Now() - t0);
  }
  double reading = Now();
  if (BareReading(root) != kSavers) std::printf("bare reading missed files\n");
  reading = Now() - reading;
  browse::BrowserHooks plain;
  plain.SaverDescription = [&](const std::string& p, const platform::FindEntry&) {
    return store::SaverDescription(os.fs, os.text, p);
  };
  const double uncached = listWith(plain);

  // As the program: descriptions through their cache, the last long listing kept for the next run.
  auto cachedHooks = [](store::DescriptionCache& names, store::ListingCache& listings) {
    browse::BrowserHooks hooks;
    hooks.KeptListing = [&listings](const browse::FileListing& source) { return listings.Kept(source); };
    hooks.KeepListing = [&listings](const browse::FileListing& listing) { listings.Keep(listing); };
    hooks.SaverDescription = [&names](const std::string& p, const platform::FindEntry& e) {
      return names.Description(p, e.size, e.lastWrite);
    };
    hooks.SaverNamesRead = [&names] { names.Save(); };
    return hooks;
  };
  // The manager's one browser lists the folder first with an empty cache, then again.
  store::DescriptionCache names(os.fs, os.text, data);
  store::ListingCache listings(os.fs, data);
  browse::FileBrowser manager(app, f, services, box, paths, "C:\\QUOVEL32.EXE", cachedHooks(names, listings));
  const double first = list(manager);
  const double second = list(manager);
  // A next start: empty lists, and the caches as read from their files.
  f.ListBox4.ClearItems();
  f.ListBox7.ClearItems();
  store::DescriptionCache nextStart(os.fs, os.text, data);
  store::ListingCache nextListings(os.fs, data);
  const double restarted = listWith(cachedHooks(nextStart, nextListings));
  // The savers of today, listed first in a next start whose cache does not know them, after a bare
  // reading of their heads as the first listing above had one.
  double namedReading = Now();
  if (BareReading(named) != kSavers) std::printf("bare reading missed files\n");
  namedReading = Now() - namedReading;
  f.ListBox4.ClearItems();
  f.ListBox7.ClearItems();
  store::DescriptionCache namedStart(os.fs, os.text, data);
  store::ListingCache namedListings(os.fs, data);
  browse::FileBrowser namedBrowser(app, f, services, box, paths, "C:\\QUOVEL32.EXE", cachedHooks(namedStart, namedListings));
  namedBrowser.SetFilter("*.SCR;", 0x27);
  double resourceNames = Now();
  namedBrowser.FillFileList(*platform::win32::Narrow(named));
  resourceNames = Now() - resourceNames;

  std::printf("file list of %d savers with names shown (%d rows)\n", kSavers, f.ListBox4.Count());
  std::printf("  bare enumeration (best of 5)       %7.1f ms\n", bare);
  std::printf("  bare enumeration and reading       %7.1f ms  %5.2f x (every file opened, its head read)\n", reading,
              reading / bare);
  std::printf("  without the cache                  %7.1f ms  %5.2f x  %5.2f x the bare reading\n", uncached,
              uncached / bare, uncached / reading);
  std::printf("  first listing, empty cache         %7.1f ms  %5.2f x  %5.2f x the bare reading (goal <= 3 x)\n", first,
              first / bare, first / reading);
  std::printf("  later listing, same process        %7.1f ms  %5.2f x (goal <= 1.5)\n", second, second / bare);
  std::printf("  later listing, next start          %7.1f ms  %5.2f x (goal <= 1.5)\n", restarted, restarted / bare);
  std::printf("  first listing, resource names      %7.1f ms  %5.2f x the first listing (goal <= 1.5 x)  %5.2f x their bare reading\n",
              resourceNames, resourceNames / first, resourceNames / namedReading);
  std::fflush(stdout);
  for (const std::wstring& folderOf : {root, named}) {
    for (int i = 0; i < kSavers; ++i) DeleteFileW(SaverPath(folderOf, i).c_str());
    RemoveDirectoryW(folderOf.c_str());
  }
  DeleteFileW(cacheFile.c_str());
  DeleteFileW(listingFile.c_str());
  return 0;
}
