// The entry points of UnLha32.DLL. One command runs at a time; archive handles are objects of
// ours whose addresses are checked against the set of open ones before use.
#include "lzh/win32/unlha32_api.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "lzh/archive.h"
#include "lzh/commands.h"
#include "lzh/listing.h"
#include "lzh/names.h"
#include "lzh/win32/win32_file_store.h"

namespace {

constexpr WORD kVersion = 100;

LONG g_running = 0;

struct OpenArchive {
  std::vector<lzh::Entry> entries;
  lzh::Status readStatus = lzh::Status::kOk;  // how reading the headers ended
  std::string pattern;
  size_t next = 0;
};

std::mutex g_handlesLock;
std::set<OpenArchive*> g_handles;

OpenArchive* Lookup(HARC h) {
  std::lock_guard<std::mutex> lock(g_handlesLock);
  auto* a = reinterpret_cast<OpenArchive*>(h);
  return g_handles.count(a) ? a : nullptr;
}

UINT OsType(uint8_t id) {
  switch (id) {
    case 'M': return 0;
    case 'U': return 2;
    case 'A': return 3;
    case 'm': return 4;
    case '2': return 5;
    case 'a': return 7;
    case 'K': return 11;
    case 'H': return 14;
    case 'W': case 'w': return 18;
    default: return id == 0 ? 0 : 10;
  }
}

// Copies `text` into a fixed field, cut at a character boundary, always zero-terminated.
void CopyField(char* field, size_t size, const std::string& text) {
  size_t n = 0;
  while (n < text.size()) {
    size_t step = lzh::IsLeadByte(static_cast<unsigned char>(text[n])) ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

void Fill(const lzh::Entry& e, INDIVIDUALINFO* info) {
  std::memset(info, 0, sizeof *info);
  info->dwOriginalSize = e.originalSize > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(e.originalSize);
  info->dwCompressedSize = e.packedSize > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<DWORD>(e.packedSize);
  info->dwCRC = e.crc;
  info->uOSType = OsType(e.osId);
  info->wRatio = static_cast<WORD>(lzh::RatioPerMille(e));
  uint32_t dos = lzh::win32::LocalDosTime(e);
  info->wDate = static_cast<WORD>(dos >> 16);
  info->wTime = static_cast<WORD>(dos);
  CopyField(info->szFileName, sizeof info->szFileName, lzh::DisplayPath(e, true, '/'));
  CopyField(info->szAttribute, sizeof info->szAttribute, lzh::AttributeText(e.attribute));
  CopyField(info->szMode, sizeof info->szMode, e.method);
}

int FindFrom(OpenArchive* a, INDIVIDUALINFO* info) {
  while (a->next < a->entries.size()) {
    const lzh::Entry& e = a->entries[a->next++];
    if (lzh::WildcardMatch(a->pattern, e.name) || lzh::WildcardMatch(a->pattern, e.Path())) {
      if (info) Fill(e, info);
      return 0;
    }
  }
  return lzh::Ok(a->readStatus) ? -1 : static_cast<int>(a->readStatus);
}

}  // namespace

extern "C" {

int WINAPI Unlha(HWND, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
  if (InterlockedCompareExchange(&g_running, 1, 0) != 0) return static_cast<int>(lzh::Status::kAlreadyRunning);
  lzh::win32::Win32FileStore store;
  const lzh::Status s = lzh::RunCommand(store, commandLine, output, outputSize);
  InterlockedExchange(&g_running, 0);
  return static_cast<int>(s);
}

WORD WINAPI UnlhaGetVersion(void) { return kVersion; }

BOOL WINAPI UnlhaGetRunning(void) { return InterlockedCompareExchange(&g_running, 0, 0) != 0; }

HARC WINAPI UnlhaOpenArchive(HWND, LPCSTR archive, DWORD) {
  if (!archive) return nullptr;
  lzh::win32::Win32FileStore store;
  auto in = store.OpenRead(archive);
  if (!in) return nullptr;
  auto a = std::make_unique<OpenArchive>();
  try {
    a->readStatus = lzh::ReadEntries(*in, &a->entries);
    if (a->entries.empty() && !lzh::Ok(a->readStatus)) return nullptr;
    std::lock_guard<std::mutex> lock(g_handlesLock);
    g_handles.insert(a.get());
  } catch (...) {
    return nullptr;  // memory ran out (or worse): the archive cannot be opened
  }
  return reinterpret_cast<HARC>(a.release());
}

int WINAPI UnlhaCloseArchive(HARC archive) {
  std::lock_guard<std::mutex> lock(g_handlesLock);
  auto* a = reinterpret_cast<OpenArchive*>(archive);
  if (!g_handles.erase(a)) return static_cast<int>(lzh::Status::kBadHandle);
  delete a;
  return 0;
}

int WINAPI UnlhaFindFirst(HARC archive, LPCSTR pattern, INDIVIDUALINFO* info) {
  OpenArchive* a = Lookup(archive);
  if (!a) return static_cast<int>(lzh::Status::kBadHandle);
  a->pattern = pattern ? pattern : "*";
  a->next = 0;
  return FindFrom(a, info);
}

int WINAPI UnlhaFindNext(HARC archive, INDIVIDUALINFO* info) {
  OpenArchive* a = Lookup(archive);
  if (!a) return static_cast<int>(lzh::Status::kBadHandle);
  return FindFrom(a, info);
}

}  // extern "C"
