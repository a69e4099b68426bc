// The manager started with memory list M0 holding the given paths, the file menu opened on that
// list with some of its rows selected, and the message boxes and viewers that follow.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"
#include "store/list_file.h"
#include "store/settings_key.h"
#include "support/installed.h"
#include "support/manager_start.h"

namespace testsupport {

struct FileMenuTest : testing::Test {
  using V = std::vector<std::string>;

  FileMenuTest() {
    Installed(p);
    Set("MEMORY", "0,-1,0,1,0,1,0");  // memory mode on, M0, names not shown
  }
  void Set(const std::string& name, const std::string& text) {
    p.registry.WriteString(platform::RegistryRoot::kCurrentUser, store::ExeKey(), name, text);
  }
  forms::TQUOVEL32KAPUL& Start(const V& memory) {
    EXPECT_TRUE(store::SaveList(p.fs, "C:\\WINDOWS\\QVLA32M0.LIS", memory).ok());
    return StartManager(h, p, program);
  }
  // The memory list's rows selected, then the file menu's `item` picked on it.
  void Run(forms::TQUOVEL32KAPUL& m, const V& rows, const char* item) {
    for (int i = 0; i < m.ListBox2.Count(); ++i) {
      m.ListBox2.SetSelected(i, std::find(rows.begin(), rows.end(), m.ListBox2.Item(i)) != rows.end());
    }
    h.backend.ExpectPopup("PopupMenu2", item);
    m.ListBox2.UserMouseDown(gui::MouseButton::Right, 0, 5, 5);
    EXPECT_TRUE(h.backend.VerifyExpectations());
  }
  void Box(const std::string& text, int answer = 1) { h.backend.ExpectModal("TMKBox", text).Answer(answer); }
  // The command lines of the viewers started so far.
  V Viewed() {
    V commands;
    for (const auto& r : p.processes.Started()) {
      if (r.viewer) commands.push_back(r.request.commandLine);
    }
    return commands;
  }

  guitest::HeadlessApp h;
  platform::fake::FakePlatform p;
  std::unique_ptr<app::Program> program;
};

}  // namespace testsupport
