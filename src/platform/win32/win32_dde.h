// DDE client conversations through DDEML: each call initialises a client-only instance,
// connects, runs one synchronous transaction and disconnects again.
#pragma once
#include "platform/dde.h"

namespace platform::win32 {

class Win32Dde : public Dde {
 public:
  DdeStatus Execute(const std::string& service, const std::string& topic, const std::string& command) override;
  DdeReply Request(const std::string& service, const std::string& topic, const std::string& item) override;
};

}  // namespace platform::win32
