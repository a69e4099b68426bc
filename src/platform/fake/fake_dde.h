// A DDE server that records what it is sent: every executed command text in order, items served
// from a script, and no conversation at all while the server is "not running". A test may make
// commands fail or act on them (creating the files a real server would) through OnExecute.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dde.h"

namespace platform::fake {

class FakeDde : public Dde {
 public:
  struct Executed {
    std::string service, topic, command;
  };

  // False: every conversation fails to open.
  void SetServerRunning(bool running) { running_ = running; }
  // The text a request of `item` (any case) returns; items without text are refused.
  void SetItem(const std::string& item, const std::string& text);
  // Decides each command's answer (default: accepted).
  std::function<DdeStatus(const std::string& command)> OnExecute;

  const std::vector<Executed>& ExecutedCommands() const { return executed_; }
  // Just the command texts, in order.
  std::vector<std::string> Commands() const;
  const std::vector<std::string>& RequestedItems() const { return requested_; }
  void Clear() {
    executed_.clear();
    requested_.clear();
  }

  DdeStatus Execute(const std::string& service, const std::string& topic, const std::string& command) override;
  DdeReply Request(const std::string& service, const std::string& topic, const std::string& item) override;

 private:
  bool running_ = true;
  std::map<std::string, std::string> items_;  // by upper-cased item name
  std::vector<Executed> executed_;
  std::vector<std::string> requested_;
};

}  // namespace platform::fake
