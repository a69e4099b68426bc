// DDE client conversations with another program (Program Manager's "PROGMAN" service): one
// command executed, or one item requested as text. Each call opens its own conversation and
// closes it again, so nothing stays connected between calls.
#pragma once
#include <string>

namespace platform {

enum class DdeStatus {
  kOk,
  kNoConversation,  // no server answered for the service and topic
  kRefused,         // the server did not process the command or has no such item
};

struct DdeReply {
  DdeStatus status = DdeStatus::kNoConversation;
  std::string text;  // the item's text up to its first NUL; empty unless kOk
};

class Dde {
 public:
  virtual ~Dde() = default;

  // Sends `command` as one execute transaction and waits for the server's answer.
  virtual DdeStatus Execute(const std::string& service, const std::string& topic, const std::string& command) = 0;
  // Requests `item` in the plain-text format.
  virtual DdeReply Request(const std::string& service, const std::string& topic, const std::string& item) = 0;
};

}  // namespace platform
