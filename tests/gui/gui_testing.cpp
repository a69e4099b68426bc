#include "gui/gui_testing.h"

#include <gtest/gtest.h>

namespace guitest {

HeadlessApp::HeadlessApp() {
  backend.SetFailureReporter([](const std::string& message) { ADD_FAILURE() << message; });
}

HeadlessApp::~HeadlessApp() { backend.VerifyExpectations(); }

}  // namespace guitest
