// A manager window with its settings and the play engine on the headless backend and the fake
// platform: savers are files of a fake folder, their processes end on the injected key.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/mkbox.h"
#include "forms/manager/manager_form.h"
#include "forms/role_forms.h"
#include "gui/gui_testing.h"
#include "play/backdrop.h"
#include "play/play_engine.h"
#include "platform/fake/fake_platform.h"
#include "store/manager_settings.h"
#include "support/sjis_text.h"

namespace play {

constexpr char kFolder[] = "C:\\SAVERS";

struct PlayFixture : testing::Test {
  // Creates the window and runs its start-up sequence; SSN off so rows are read directly.
  void Start(bool scrVersion = false) {
    settings = std::make_unique<store::ManagerSettings>(
        h.app, form, os, box, lists, store::ManagerContext{scrVersion, "C:\\WINDOWS\\", "C:\\QUOVEL32\\"});
    settings->Create();
    engine = std::make_unique<PlayEngine>(h.app, form, os, box, *settings, lists, &backdrop, scrVersion);
    engine->SeedRandom(7);
    form.Show();
    h.backend.Advance(300);
    form.SSN.SetChecked(false);
    engine->FileListFolder = [this] { return fileListFolder; };
    p.processes.SetDefaultBehaviour({.endsOnInput = true});
  }
  // Rows of the file list, each a saver file unless listed in `missing`.
  void Rows(const std::vector<std::string>& names, const std::vector<std::string>& missing = {}) {
    for (const std::string& n : names) {
      if (std::find(missing.begin(), missing.end(), n) == missing.end()) p.fs.AddFile(Path(n), "MZ saver");
    }
    form.ListBox4.SetItems(names);
    form.ListBox4.SetTag(0);
  }
  static std::string Path(const std::string& name) { return std::string(kFolder) + "\\" + name; }
  void Order(int item, bool endless) {
    form.RadioGroup1.SetItemIndex(item);
    form.CheckBox1.SetChecked(endless);
  }
  // File names of the started programs, in order.
  std::vector<std::string> Played() const {
    std::vector<std::string> names;
    for (const auto& r : p.processes.Started()) names.push_back(r.program.substr(r.program.rfind('\\') + 1));
    return names;
  }
  // Runs the clock until the run ends or `launches` items have started; false on the bound.
  bool RunUntil(size_t launches = SIZE_MAX, uint64_t boundMs = 3600000) {
    for (uint64_t t = 0; t < boundMs; t += 100) {
      if (!engine->Playing() || p.processes.Started().size() >= launches) return true;
      h.backend.Advance(100);
    }
    return false;
  }
  void Play() { form.Button2.UserClick(); }
  // Presses 中断 and lets the run end.
  void Stop() {
    form.Button5.UserClick();
    ASSERT_TRUE(RunUntil());
    ASSERT_FALSE(engine->Playing());
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  platform::Services os = p.Services();
  forms::TQUOVEL32KAPUL form{h.app};
  forms::TQUOVEL32BACK backForm{h.app};
  common::TMKBoxDlg box{h.app, p.desktop};
  store::MemoryLists lists{h.app, p.fs, {form.ListBox2, form.ListBox8, form.ComboBox1, form.Panel4}};
  Backdrop backdrop{h.app, backForm};
  std::unique_ptr<store::ManagerSettings> settings;
  std::unique_ptr<PlayEngine> engine;
  std::string fileListFolder = kFolder;  // what the browser would show
};

}  // namespace play
