// Benchmark (not a test): bulk registration of 32,700 screen savers spread over 109 folders of
// 300 files into an empty memory list, on the in-memory file system. Reports files per second.
#include <benchmark/benchmark.h>

#include <string>

#include "browse/file_browser.h"
#include "browse/registration.h"
#include "browse/shell_paths.h"
#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "gui/headless/headless_backend.h"
#include "platform/fake/fake_platform.h"

namespace {

constexpr int kFolders = 109;
constexpr int kPerFolder = 300;

void BM_BulkRegistration(benchmark::State& state) {
  platform::fake::FakePlatform p;
  for (int d = 0; d < kFolders; ++d) {
    for (int i = 0; i < kPerFolder; ++i) {
      p.fs.AddFile("C:\\SS\\D" + std::to_string(d / 10) + "\\F" + std::to_string(d) + "\\S" + std::to_string(i) + ".SCR",
                   "MZ");
    }
  }
  platform::Services os = p.Services();
  gui::headless::Backend backend;
  gui::Application app{backend};
  forms::TQUOVEL32KAPUL form{app};
  common::TMKBoxDlg box{app, p.desktop};
  browse::ShellPaths paths{p.fs, p.shell, p.collation, p.desktop.WindowsFolder()};
  form.SSN.SetChecked(false);
  form.CB5.SetChecked(true);
  form.K6.SetChecked(true);
  browse::FileBrowser browser(app, form, os, box, paths, "C:\\QUOVEL32\\QUOVEL32.EXE", {});
  browser.SetFilter("*.SCR;", 0x27);
  browse::Registration registration(app, form, os, box, browser, paths, {});
  int64_t files = 0;
  for (auto _ : state) {
    form.ListBox2.ClearItems();
    registration.Search("C:\\SS");
    files += form.ListBox2.Count();
  }
  state.counters["rows"] = form.ListBox2.Count();
  state.counters["files/s"] = benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_BulkRegistration)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
