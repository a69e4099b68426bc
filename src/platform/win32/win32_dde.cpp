#include "platform/win32/win32_dde.h"

#include <windows.h>
#include <ddeml.h>

#include "platform/win32/wide_text.h"

namespace platform::win32 {

namespace {

// Long enough for a shell that creates a folder and a shortcut file before it answers.
constexpr DWORD kTimeoutMs = 10000;

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// One client-only DDEML instance with a conversation on service and topic, all released when
// it goes out of scope. An ANSI instance hands execute strings to a Unicode server converted
// from the system code page; a Unicode instance sends UTF-16 as it is.
class Conversation {
 public:
  Conversation(bool unicode, const std::string& service, const std::string& topic) {
    const UINT status = unicode ? DdeInitializeW(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0)
                                : DdeInitializeA(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0);
    if (status != DMLERR_NO_ERROR) {
      instance_ = 0;
      return;
    }
    HSZ serviceName = DdeCreateStringHandleW(instance_, WidePath(service).c_str(), CP_WINUNICODE);
    HSZ topicName = DdeCreateStringHandleW(instance_, WidePath(topic).c_str(), CP_WINUNICODE);
    conversation_ = DdeConnect(instance_, serviceName, topicName, nullptr);
    DdeFreeStringHandle(instance_, serviceName);
    DdeFreeStringHandle(instance_, topicName);
  }
  ~Conversation() {
    if (conversation_ != nullptr) DdeDisconnect(conversation_);
    if (instance_ != 0) DdeUninitialize(instance_);
  }
  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;

  bool ok() const { return conversation_ != nullptr; }
  DWORD instance() const { return instance_; }
  HCONV get() const { return conversation_; }

 private:
  DWORD instance_ = 0;
  HCONV conversation_ = nullptr;
};

// The text in the system code page (with its NUL); false when a character would not survive the
// conversion (no best fit: a look-alike would name another group or item), or the code page
// cannot tell.
bool ToSystemCodePage(const std::wstring& wide, std::string& out) {
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return false;
  out.assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, out.data(), n, nullptr, &lost);
  return !lost;
}

}  // namespace

DdeStatus Win32Dde::Execute(const std::string& service, const std::string& topic, const std::string& command) {
  // Wine's Program Manager server only understands commands that come as system code page text
  // (UTF-16 from a Unicode instance is refused), so that is how a command goes whenever the
  // code page can carry it; only a name the code page lacks goes as UTF-16, which Windows'
  // shell accepts.
  const std::wstring wide = WidePath(command);
  std::string ansi;
  const bool asAnsi = ToSystemCodePage(wide, ansi);
  Conversation conversation(!asAnsi, service, topic);
  if (!conversation.ok()) return DdeStatus::kNoConversation;
  DWORD result = 0;
  HDDEDATA answer =
      asAnsi ? DdeClientTransaction(reinterpret_cast<BYTE*>(ansi.data()), static_cast<DWORD>(ansi.size()),
                                    conversation.get(), nullptr, CF_TEXT, XTYP_EXECUTE, kTimeoutMs, &result)
             : DdeClientTransaction(reinterpret_cast<BYTE*>(const_cast<wchar_t*>(wide.c_str())),
                                    static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)), conversation.get(),
                                    nullptr, CF_UNICODETEXT, XTYP_EXECUTE, kTimeoutMs, &result);
  return answer != nullptr ? DdeStatus::kOk : DdeStatus::kRefused;
}

DdeReply Win32Dde::Request(const std::string& service, const std::string& topic, const std::string& item) {
  Conversation conversation(false, service, topic);
  if (!conversation.ok()) return {};
  HSZ itemName = DdeCreateStringHandleW(conversation.instance(), WidePath(item).c_str(), CP_WINUNICODE);
  DWORD result = 0;
  // Wine's server answers only the first request of a conversation; one request per
  // conversation is all this makes.
  HDDEDATA data =
      DdeClientTransaction(nullptr, 0, conversation.get(), itemName, CF_TEXT, XTYP_REQUEST, kTimeoutMs, &result);
  DdeFreeStringHandle(conversation.instance(), itemName);
  if (data == nullptr) return {DdeStatus::kRefused, ""};
  const DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string bytes(size, '\0');
  if (size > 0) DdeGetData(data, reinterpret_cast<BYTE*>(bytes.data()), size, 0);
  DdeFreeDataHandle(data);
  bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  // The server writes plain text in the system code page.
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return {DdeStatus::kOk, NarrowShown(wide.c_str(), static_cast<int>(wide.size()))};
}

}  // namespace platform::win32
