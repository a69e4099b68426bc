#include "setup/program_groups.h"

#include <algorithm>

#include "text/text_path.h"
#include "platform/collation.h"
#include "platform/dde.h"
#include "platform/registry.h"

namespace setup {

const char kItemName[] = "QUOVEL32 EXE版";
const char kMakerGroup[] = "KAPUL SOFT";
const char kDefaultGroup[] = "KAPUL SOFT32";
const char kOpenFailed[] = "DDE:オープンに失敗しました・・・";
const char kSendFailed[] = "DDE:送信に失敗しました・・・";
const char kStartupUnknown[] = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";

namespace {

constexpr char kProgman[] = "PROGMAN";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// "[Name(arguments)]" + CR LF, each argument between double quotes so that blanks, commas and
// brackets in it stay part of it. The command language has no way to write a double quote inside
// one: such an argument makes no command (empty). '"' is ASCII and never the second byte of a
// two-byte character.
std::string Command(const std::string& name, std::initializer_list<std::string> arguments,
                    const std::string& tail = "") {
  std::string text = "[" + name + "(";
  for (const std::string& a : arguments) {
    if (a.find('"') != std::string::npos) return {};
    text += (&a == arguments.begin() ? "\"" : ",\"") + a + "\"";
  }
  return text + tail + ")]\r\n";
}

}  // namespace

std::string CreateGroupCommand(const std::string& group) { return Command("CreateGroup", {group}); }
std::string AddItemCommand(const std::string& programPath) { return Command("AddItem", {programPath, kItemName}); }
std::string DeleteItemCommand() { return Command("DeleteItem", {kItemName}); }
std::string ShowGroupCommand(const std::string& group) { return Command("ShowGroup", {group}, ",1"); }

std::string ProgramManager::Execute(const std::string& command) {
  // A command that could not be written is refused before the server sees it.
  if (command.empty()) return kSendFailed;
  switch (dde_.Execute(kProgman, kProgman, command)) {
    case platform::DdeStatus::kOk: return {};
    case platform::DdeStatus::kNoConversation: return kOpenFailed;
    case platform::DdeStatus::kRefused: return kSendFailed;
  }
  return kSendFailed;
}

std::optional<std::vector<std::string>> ProgramManager::Groups() {
  const platform::DdeReply reply = dde_.Request(kProgman, kProgman, "GROUPS");
  if (reply.status == platform::DdeStatus::kNoConversation) return std::nullopt;
  // Lines end in CR LF; the last may end with the text. CR and LF are ASCII and never the
  // second byte of a two-byte character.
  std::vector<std::string> names;
  size_t start = 0;
  while (start < reply.text.size()) {
    size_t cr = reply.text.find('\r', start);
    if (cr == std::string::npos) cr = reply.text.size();
    if (cr > start) names.push_back(reply.text.substr(start, cr - start));
    start = cr + 1;
    if (start < reply.text.size() && reply.text[start] == '\n') ++start;
  }
  return names;
}

std::vector<std::string> InstallerGroups(std::vector<std::string> names, platform::Collation& collation) {
  std::vector<std::pair<std::string, std::string>> keyed;
  for (std::string& n : names) keyed.emplace_back(collation.SortKey(n), std::move(n));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> rows;
  for (auto& k : keyed) rows.push_back(std::move(k.second));
  auto same = [](const char* name) { return [name](const std::string& row) { return text::SameText(row, name); }; };
  auto maker = std::find_if(rows.begin(), rows.end(), same(kMakerGroup));
  if (maker != rows.end()) std::rotate(maker, maker + 1, rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(), same(kDefaultGroup)), rows.end());
  rows.push_back(kDefaultGroup);
  return rows;
}

std::string ShellFolder(platform::Registry& registry, const std::string& name) {
  return registry.ReadString(platform::RegistryRoot::kCurrentUser, std::string(kExplorer) + "\\Shell Folders", name)
      .value_or("");
}

std::string StartupGroup(platform::Registry& registry) {
  std::string group =
      registry.ReadString(platform::RegistryRoot::kCurrentUser, std::string(kExplorer) + "\\MapGroups", "StartUp")
          .value_or("");
  if (!group.empty()) return group;
  const std::string programs = text::CutYen(ShellFolder(registry, "Programs"));
  const std::string startup = text::CutYen(ShellFolder(registry, "Startup"));
  if (programs.empty() || startup.empty()) return {};
  std::string folder, name;
  text::SplitFileName(startup, folder, name);
  return text::SameText(text::CutYen(folder), programs) ? name : std::string();
}

}  // namespace setup
