#include "platform/fake/fake_dde.h"

#include "platform/fake/fold.h"

namespace platform::fake {

void FakeDde::SetItem(const std::string& item, const std::string& text) { items_[UpperAscii(item)] = text; }

std::vector<std::string> FakeDde::Commands() const {
  std::vector<std::string> texts;
  for (const Executed& e : executed_) texts.push_back(e.command);
  return texts;
}

DdeStatus FakeDde::Execute(const std::string& service, const std::string& topic, const std::string& command) {
  if (!running_) return DdeStatus::kNoConversation;
  executed_.push_back({service, topic, command});
  return OnExecute ? OnExecute(command) : DdeStatus::kOk;
}

DdeReply FakeDde::Request(const std::string&, const std::string&, const std::string& item) {
  if (!running_) return {};
  requested_.push_back(item);
  auto it = items_.find(UpperAscii(item));
  if (it == items_.end()) return {DdeStatus::kRefused, ""};
  // The text ends at its first NUL, as a real reply's does.
  return {DdeStatus::kOk, it->second.substr(0, it->second.find('\0'))};
}

}  // namespace platform::fake
