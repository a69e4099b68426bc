// UnLha32.DLL as the application uses it: loaded by name, entry points looked up by name,
// driven with the application's command lines on real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/win32/win32_library.h"
#include "support/sjis_text.h"

namespace {

using UnlhaFn = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);
using GetRunningFn = BOOL(WINAPI*)();
using OpenFn = HGLOBAL(WINAPI*)(HWND, LPCSTR, DWORD);
using CloseFn = int(WINAPI*)(HGLOBAL);
using FindFirstFn = int(WINAPI*)(HGLOBAL, LPCSTR, void*);
using FindNextFn = int(WINAPI*)(HGLOBAL, void*);

constexpr DWORD kOpenMode = 0x00400000;

template <typename F>
F Proc(HMODULE lib, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
}

std::wstring W(const std::string& sjis) {
  int n = MultiByteToWideChar(932, 0, sjis.c_str(), -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(932, 0, sjis.c_str(), -1, w.data(), n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(932, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  s.resize(static_cast<size_t>(n - 1));
  return s;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << testsupport::Utf8(path);
  DWORD done = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
  CloseHandle(h);
}

// The file's bytes, or "<missing>".
std::string ReadFileBytes(const std::string& path) {
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  std::string s(GetFileSize(h, nullptr), '\0');
  DWORD done = 0;
  ReadFile(h, s.data(), static_cast<DWORD>(s.size()), &done, nullptr);
  CloseHandle(h);
  return s;
}

std::string Text(size_t size, unsigned variant) {
  static const char* words[] = {"screen ", "saver ", "表示 ", "archive ", "\r\n", "タイマー "};
  std::mt19937 rng(variant);
  std::string s;
  while (s.size() < size) s += words[rng() % 6];
  s.resize(size);
  return s;
}

std::string Q(const std::string& s) { return "\"" + s + "\""; }

class LzhUnlhaDll : public testing::Test {
 protected:
  void SetUp() override {
    lib_ = LoadLibraryA("UnLha32.DLL");
    ASSERT_NE(lib_, nullptr) << "UnLha32.DLL not found next to the test program";
    unlha_ = Proc<UnlhaFn>(lib_, "Unlha");
    running_ = Proc<GetRunningFn>(lib_, "UnlhaGetRunning");
    open_ = Proc<OpenFn>(lib_, "UnlhaOpenArchive");
    close_ = Proc<CloseFn>(lib_, "UnlhaCloseArchive");
    first_ = Proc<FindFirstFn>(lib_, "UnlhaFindFirst");
    next_ = Proc<FindNextFn>(lib_, "UnlhaFindNext");
    ASSERT_TRUE(unlha_ && running_ && open_ && close_ && first_ && next_) << "an entry point is not exported";

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::random_device rd;
    dir_ = Narrow(temp) + "qvdll" + std::to_string(rd() % 1000000) + "\\";
    ASSERT_TRUE(CreateDirectoryW(W(dir_).c_str(), nullptr));
  }
  void TearDown() override {
    if (!dir_.empty()) {
      // SHFileOperation needs shell32; a two-level clean-up is all these tests create.
      for (const char* sub : {"", "out\\", "out2\\", "src\\"}) {
        WIN32_FIND_DATAW fd;
        HANDLE f = FindFirstFileW(W(dir_ + sub + "*").c_str(), &fd);
        if (f != INVALID_HANDLE_VALUE) {
          do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
              SetFileAttributesW((W(dir_ + sub) + fd.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
              DeleteFileW((W(dir_ + sub) + fd.cFileName).c_str());
            }
          } while (FindNextFileW(f, &fd));
          FindClose(f);
        }
      }
      for (const char* sub : {"out\\", "out2\\", "src\\", ""}) RemoveDirectoryW(W(dir_ + sub).c_str());
    }
    if (lib_) FreeLibrary(lib_);
  }

  // Runs a command line as the application does: waits while busy before and after.
  int Run(const std::string& line, std::string* out = nullptr, DWORD size = 40000) {
    while (running_()) Sleep(1);
    std::vector<char> buf(size + 2, 'X');
    int r = unlha_(nullptr, line.c_str(), buf.data(), size);
    while (running_()) Sleep(1);
    if (out) *out = std::string(buf.data(), strnlen(buf.data(), size));
    return r;
  }

  // The entry names as the application reads them: 26 bytes into each record.
  std::vector<std::string> Names(const std::string& archive, int* open = nullptr) {
    std::vector<std::string> names;
    HGLOBAL h = open_(nullptr, archive.c_str(), kOpenMode);
    if (open) *open = h != nullptr;
    if (!h) return names;
    unsigned char record[558 + 16];
    std::memset(record, 0xCC, sizeof record);
    for (int r = first_(h, "*.*", record); r == 0; r = next_(h, record)) {
      names.emplace_back(reinterpret_cast<const char*>(record + 26));
      EXPECT_EQ(record[558], 0xCC) << "the record is 558 bytes";
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 550)).substr(0, 3), "-lh");
    }
    close_(h);
    return names;
  }

  HMODULE lib_ = nullptr;
  UnlhaFn unlha_ = nullptr;
  GetRunningFn running_ = nullptr;
  OpenFn open_ = nullptr;
  CloseFn close_ = nullptr;
  FindFirstFn first_ = nullptr;
  FindNextFn next_ = nullptr;
  std::string dir_;
};

TEST_F(LzhUnlhaDll, AddListAndExtractWithTheApplicationsCommandLines) {
  CreateDirectoryW(W(dir_ + "src").c_str(), nullptr);
  const std::string saver = dir_ + "src\\表示ソフト.SCR", readme = dir_ + "src\\readme.txt";
  const std::string saverData = Text(30000, 1), readmeData = Text(5000, 2);
  WriteFileBytes(saver, saverData);
  WriteFileBytes(readme, readmeData);
  const std::string arc = dir_ + "ABC.lzh";
  std::string out;
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(saver) + " ", &out, 1000), 0) << out;
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(readme) + " ", &out, 1000), 0) << out;
  EXPECT_FALSE(running_());

  int opened = 0;
  EXPECT_EQ(Names(arc, &opened), (std::vector<std::string>{"表示ソフト.SCR", "readme.txt"}));
  EXPECT_TRUE(opened);

  ASSERT_EQ(Run(" l -x1 " + Q(arc) + " ", &out), 0);
  EXPECT_NE(out.find("表示ソフト.SCR"), std::string::npos) << testsupport::Utf8(out);
  EXPECT_NE(out.find("-lh5-"), std::string::npos) << out;

  ASSERT_EQ(Run(" e -ma1 " + Q(arc) + " " + Q(dir_ + "out\\") + " " + Q("*.*") + " ", &out, 2000), 0) << out;
  EXPECT_TRUE(ReadFileBytes(dir_ + "out\\表示ソフト.SCR") == saverData);
  EXPECT_TRUE(ReadFileBytes(dir_ + "out\\readme.txt") == readmeData);
}

TEST_F(LzhUnlhaDll, AddingAgainReplacesTheMember) {
  const std::string file = dir_ + "SAVER.SCR", arc = dir_ + "x.lzh";
  WriteFileBytes(file, Text(4000, 3));
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(file) + " "), 0);
  WriteFileBytes(dir_ + "other.txt", Text(100, 4));
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(dir_ + "other.txt") + " "), 0);
  const std::string fresh = Text(7000, 5);
  WriteFileBytes(file, fresh);
  ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(file) + " "), 0);
  EXPECT_EQ(Names(arc), (std::vector<std::string>{"other.txt", "SAVER.SCR"}));
  ASSERT_EQ(Run(" e -ma1 " + Q(arc) + " " + Q(dir_ + "out2\\") + " " + Q("*.*") + " "), 0);
  EXPECT_TRUE(ReadFileBytes(dir_ + "out2\\SAVER.SCR") == fresh);
}

TEST_F(LzhUnlhaDll, FailuresAreReportedAsErrorCodes) {
  std::string out;
  EXPECT_GE(Run(" e -ma1 " + Q(dir_ + "missing.lzh") + " " + Q(dir_ + "out\\") + " " + Q("*.*") + " ", &out), 0x8000);
  EXPECT_GE(Run(" q " + Q(dir_ + "x.lzh") + " "), 0x8000);
  WriteFileBytes(dir_ + "plain.lzh", Text(3000, 6));
  EXPECT_GE(Run(" l -x1 " + Q(dir_ + "plain.lzh") + " "), 0x8000);
  int opened = 1;
  EXPECT_TRUE(Names(dir_ + "plain.lzh", &opened).empty());
  EXPECT_FALSE(opened) << "a file that is no archive does not open";
  EXPECT_NE(first_(reinterpret_cast<HGLOBAL>(0x1234), "*.*", nullptr), 0);
  EXPECT_NE(close_(reinterpret_cast<HGLOBAL>(0x1234)), 0);
  // Adding a missing file leaves no archive behind.
  EXPECT_GE(Run(" a -a1 " + Q(dir_ + "new.lzh") + " " + Q(dir_ + "nothing.txt") + " "), 0x8000);
  EXPECT_EQ(GetFileAttributesW(W(dir_ + "new.lzh").c_str()), INVALID_FILE_ATTRIBUTES);
  // A file reached only through its 8.3 name, as its own name has a character Shift-JIS lacks, is
  // refused rather than stored under the 8.3 name.
  const std::wstring umlaut = W(dir_) + L"J\u00FCrgen.txt";
  CloseHandle(CreateFileW(umlaut.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  wchar_t shortPath[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(umlaut.c_str(), shortPath, MAX_PATH), 0u);
  EXPECT_EQ(Run(" a -a1 " + Q(dir_ + "new.lzh") + " " + Q(Narrow(shortPath)) + " "), 0x8022);
  EXPECT_EQ(GetFileAttributesW(W(dir_ + "new.lzh").c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(umlaut.c_str());
}

TEST_F(LzhUnlhaDll, OutputStaysInsideTheGivenSize) {
  const std::string arc = dir_ + "x.lzh";
  for (int i = 0; i < 5; ++i) {
    const std::string f = dir_ + "file" + std::to_string(i) + ".txt";
    WriteFileBytes(f, Text(200, static_cast<unsigned>(i)));
    ASSERT_EQ(Run(" a -a1 " + Q(arc) + " " + Q(f) + " "), 0);
  }
  std::vector<char> buf(300, 'X');
  ASSERT_EQ(unlha_(nullptr, (" l -x1 " + Q(arc) + " ").c_str(), buf.data(), 200), 0);
  size_t len = strnlen(buf.data(), buf.size());
  EXPECT_LT(len, 200u);
  EXPECT_EQ(buf[250], 'X') << "nothing written past the buffer";
}

// The program's own adapter: the library by its full path (a bare name is refused), its entry
// points, the names read from the entry records, and a library that is not there.
TEST_F(LzhUnlhaDll, TheProgramsAdapterDrivesTheLibrary) {
  platform::win32::Win32Library library;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::string folder = Narrow(self).substr(0, Narrow(self).rfind('\\') + 1);
  EXPECT_EQ(library.LoadArchiver(folder + "NoSuchArchiver.DLL"), nullptr);
  EXPECT_EQ(library.LoadArchiver("UnLha32.DLL"), nullptr);
  std::unique_ptr<platform::Archiver> lib = library.LoadArchiver(folder + "UnLha32.DLL");
  ASSERT_NE(lib, nullptr);
  for (const char* entry : {"Unlha", "UnlhaGetRunning", "UnlhaOpenArchive", "UnlhaFindFirst", "UnlhaFindNext",
                            "UnlhaCloseArchive"}) {
    EXPECT_TRUE(lib->Has(entry)) << entry;
  }
  EXPECT_FALSE(lib->Has("UnlhaNoSuchEntry"));
  const std::string saver = dir_ + "表示.SCR", arc = dir_ + "pack.lzh";
  WriteFileBytes(saver, Text(3000, 7));
  std::string out;
  ASSERT_EQ(lib->Run(0, " a -a1 " + Q(arc) + " " + Q(saver) + " ", out, 1000), 0) << out;
  EXPECT_FALSE(lib->Running());
  const uintptr_t h = lib->OpenArchive(0, arc, kOpenMode);
  ASSERT_NE(h, 0u);
  EXPECT_EQ(lib->FindFirst(h, "*.*"), "表示.SCR");
  EXPECT_EQ(lib->FindNext(h), std::nullopt);
  lib->CloseArchive(h);
  ASSERT_EQ(lib->Run(0, " l -x1 " + Q(arc) + " ", out, 40), 0);
  EXPECT_LT(out.size(), 40u);
  EXPECT_EQ(lib->OpenArchive(0, dir_ + "none.lzh", kOpenMode), 0u);
}

}  // namespace
