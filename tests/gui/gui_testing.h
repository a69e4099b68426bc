// A headless application for tests: the headless backend wired to GoogleTest, so that an
// unexpected modal form fails the running test, and every scripted expectation must be met by
// the end of the test.
#pragma once
#include "gui/application.h"
#include "gui/headless/headless_backend.h"

namespace guitest {

struct HeadlessApp {
  HeadlessApp();
  // Reports expectations left unmet as failures of the current test.
  ~HeadlessApp();

  gui::headless::Backend backend;
  gui::Application app{backend};
};

}  // namespace guitest
