// Benchmark (not a test): filling the file list for a folder of 10,000 screen savers with their
// names shown, against the bare enumeration of the same folder, on the in-memory file system.
#include <benchmark/benchmark.h>

#include <string>

#include "browse/file_browser.h"
#include "browse/filters.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/headless/headless_backend.h"
#include "platform/fake/fake_platform.h"
#include "store/description_cache.h"
#include "store/listing_cache.h"
#include "store/list_file.h"
#include "support/pe_image.h"

namespace {

constexpr int kSavers = 10000;

struct Machine {
  Machine() {
    for (int i = 0; i < kSavers; ++i) {
      // Every tenth saver has no description; the others share a hundred descriptions.
      const std::string body = i % 10 == 0 ? std::string("MZ") : "MZ....SCRNSAVE : 星空 " + std::to_string(i % 100);
      p.fs.AddFile("C:\\SS\\SAVER" + std::to_string(i) + ".SCR", body + std::string(1, '\0'));
      // Savers of today: no description text, their names in English and Japanese resources.
      const std::u16string n = u"Starfield " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
      p.fs.AddFile("C:\\RS\\SAVER" + std::to_string(i) + ".SCR", testsupport::PeImage({false, {{0x0409, n}, {0x0411, n}}, 0x2000}));
    }
    form.SSN.SetChecked(true);
    form.CB5.SetChecked(true);
  }
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  gui::headless::Backend backend;
  gui::Application app{backend};
  forms::TQUOVEL32KAPUL form{app};
  common::TMKBoxDlg box{app, p.desktop};
  browse::ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
};

Machine& TheMachine() {
  static Machine m;
  return m;
}

void BM_BareEnumeration(benchmark::State& state) {
  Machine& m = TheMachine();
  for (auto _ : state) benchmark::DoNotOptimize(m.p.fs.Find("C:\\SS\\*.SCR", 0x27));
}

// The least a first listing pays on this file system: the enumeration, then opening each saver
// and reading its head.
void BM_BareReading(benchmark::State& state) {
  Machine& m = TheMachine();
  std::string head(4096, '\0');
  for (auto _ : state) {
    for (const platform::FindEntry& e : m.p.fs.Find("C:\\SS\\*.SCR", 0x27)) {
      platform::OpenedFile opened = m.p.fs.Open("C:\\SS\\" + e.name, platform::OpenMode::kRead, platform::Share::kReadWrite);
      if (opened.file) benchmark::DoNotOptimize(opened.file->Read(head.data(), head.size()));
    }
  }
}

// The selection alone: enumeration, sorting and removing duplicates.
void BM_SelectFiles(benchmark::State& state) {
  Machine& m = TheMachine();
  for (auto _ : state) benchmark::DoNotOptimize(browse::SelectFileEntries(m.p.fs, m.p.collation, "C:\\SS\\", "*.SCR;", 0x27, true));
}

// Names only: what the list costs when the descriptions are at hand.
void BM_FillFileListPlain(benchmark::State& state) {
  Machine& m = TheMachine();
  m.form.SSN.SetChecked(false);
  browse::FileBrowser browser(m.app, m.form, m.os, m.box, m.paths, "C:\\QUOVEL32\\QUOVEL32.EXE", {});
  for (auto _ : state) browser.FillFileList("C:\\SS");
  m.form.SSN.SetChecked(true);
}

void BM_FillFileListWithSaverNames(benchmark::State& state) {
  Machine& m = TheMachine();
  browse::BrowserHooks hooks;
  hooks.SaverDescription = [&m](const std::string& path, const platform::FindEntry&) {
    return store::SaverDescription(m.p.fs, m.p.text, path);
  };
  browse::FileBrowser browser(m.app, m.form, m.os, m.box, m.paths, "C:\\QUOVEL32\\QUOVEL32.EXE", hooks);
  for (auto _ : state) browser.FillFileList("C:\\SS");
  state.counters["rows"] = m.form.ListBox4.Count();
}

// As the program: descriptions through their cache, the last long listing kept for the next run.
browse::BrowserHooks CachedHooks(store::DescriptionCache& names, store::ListingCache& listings) {
  browse::BrowserHooks hooks;
  hooks.KeptListing = [&listings](const browse::FileListing& source) { return listings.Kept(source); };
  hooks.KeepListing = [&listings](const browse::FileListing& listing) { listings.Keep(listing); };
  hooks.SaverDescription = [&names](const std::string& path, const platform::FindEntry& e) {
    return names.Description(path, e.size, e.lastWrite);
  };
  hooks.SaverNamesRead = [&names] { names.Save(); };
  return hooks;
}

// Later listings of the unchanged folder: every description comes from the cache.
void BM_FillFileListCachedNames(benchmark::State& state) {
  Machine& m = TheMachine();
  store::DescriptionCache names(m.p.fs, m.p.text, "C:\\WINDOWS\\");
  store::ListingCache listings(m.p.fs, "C:\\WINDOWS\\");
  browse::FileBrowser browser(m.app, m.form, m.os, m.box, m.paths, "C:\\QUOVEL32\\QUOVEL32.EXE",
                              CachedHooks(names, listings));
  browser.FillFileList("C:\\SS");  // the first listing fills the cache
  for (auto _ : state) browser.FillFileList("C:\\SS");
}

// What a new run of the program does: new caches over their files, a new browser, one listing.
void ListAsANewRun(Machine& m, const char* folder = "C:\\SS") {
  store::DescriptionCache names(m.p.fs, m.p.text, "C:\\WINDOWS\\");
  store::ListingCache listings(m.p.fs, "C:\\WINDOWS\\");
  browse::FileBrowser browser(m.app, m.form, m.os, m.box, m.paths, "C:\\QUOVEL32\\QUOVEL32.EXE",
                              CachedHooks(names, listings));
  browser.FillFileList(folder);
}

// The first listing (no cache files, every saver read), and the listing of a next start that
// finds the files the last run wrote; both into empty lists.
void FirstListing(benchmark::State& state, const char* folder) {
  Machine& m = TheMachine();
  for (auto _ : state) {
    state.PauseTiming();
    m.p.fs.Delete(std::string("C:\\WINDOWS\\") + store::kDescriptionCacheFile);
    m.p.fs.Delete(std::string("C:\\WINDOWS\\") + store::kListingCacheFile);
    m.form.ListBox4.ClearItems();
    m.form.ListBox7.ClearItems();
    state.ResumeTiming();
    ListAsANewRun(m, folder);
  }
}

void BM_FirstListing(benchmark::State& state) { FirstListing(state, "C:\\SS"); }
// The same of savers that carry no description text: each is named by its string resource 1
// (goal: 1.5 x the first listing above).
void BM_FirstListingResourceNames(benchmark::State& state) { FirstListing(state, "C:\\RS"); }

void BM_NextStartListing(benchmark::State& state) {
  Machine& m = TheMachine();
  ListAsANewRun(m);
  for (auto _ : state) {
    state.PauseTiming();
    m.form.ListBox4.ClearItems();
    m.form.ListBox7.ClearItems();
    state.ResumeTiming();
    ListAsANewRun(m);
  }
}

BENCHMARK(BM_BareEnumeration)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFileListPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFileListWithSaverNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFileListCachedNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstListing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstListingResourceNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextStartListing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
