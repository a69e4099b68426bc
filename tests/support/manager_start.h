// The manager started as a user starts it from its folder on the fake machine: shown, and a
// second on, so that the start-up sequence has run.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_platform.h"

namespace testsupport {

inline forms::TQUOVEL32KAPUL& StartManager(guitest::HeadlessApp& h, platform::fake::FakePlatform& p,
                                           std::unique_ptr<app::Program>& program) {
  program = std::make_unique<app::Program>(
      h.app, p.Services(), app::DecideLaunch("C:\\QUOVEL32\\QUOVEL32.EXE", {}, p.desktop, p.registry));
  EXPECT_TRUE(program->Start([](const std::string&) {}));
  forms::TQUOVEL32KAPUL& m = *program->Manager();
  m.Show();
  h.backend.Advance(1000);
  return m;
}

}  // namespace testsupport
