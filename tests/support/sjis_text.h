// Shift-JIS text in test failure messages: string literals in tests are CP932 bytes (the build
// sets the execution character set), so failures print them converted back to UTF-8.
#pragma once
#include <string>

namespace testsupport {

// The CP932 bytes of `text` as UTF-8; bytes that do not convert are shown as \xNN.
std::string Utf8(const std::string& text);

}  // namespace testsupport
