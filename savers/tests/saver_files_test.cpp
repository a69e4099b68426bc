// The built .SCR files: a 32-bit GUI program importing only system libraries, with its
// description as string resource 1 and as "SCRNSAVE : ..." within the first 4096 bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "saver_test_support.h"
#include "support/sjis_text.h"

namespace {

struct BuiltSaver {
  const wchar_t* file;
  const char* description;  // Shift-JIS, as the build's execution character set makes it
};

const BuiltSaver kSavers[] = {
    {L"STARS.SCR", "星空の旅"},
    {L"YUME.SCR", "夢の風"},
    {L"PLASMA.SCR", "虹色の波"},
    {L"TESTSAVE.SCR", "テスト用セーバー"},
};

std::vector<unsigned char> ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How a program looking for a saver's name reads it: after "MZ", in at most two blocks of 2048
// bytes (from offset 2, then from offset 2048), "SCRNSAVE", blanks, ":", blanks, then the text
// up to a NUL byte or the end of the block.
std::optional<std::string> MarkerDescription(const std::vector<unsigned char>& file) {
  if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z') return std::nullopt;
  for (size_t start : {size_t{2}, size_t{2048}}) {
    if (start >= file.size()) break;
    size_t end = std::min(file.size(), start + 2048);
    std::string block(file.begin() + static_cast<long>(start), file.begin() + static_cast<long>(end));
    for (size_t at = block.find("SCRNSAVE"); at != std::string::npos; at = block.find("SCRNSAVE", at + 1)) {
      size_t p = at + 8;
      while (p < block.size() && block[p] == ' ') ++p;
      if (p >= block.size() || block[p] != ':') continue;
      ++p;
      while (p < block.size() && block[p] == ' ') ++p;
      size_t nul = block.find('\0', p);
      return block.substr(p, (nul == std::string::npos ? block.size() : nul) - p);
    }
    if (end - start < 2048) break;
  }
  return std::nullopt;
}

template <typename T>
T At(const std::vector<unsigned char>& file, size_t offset) {
  T value{};
  if (offset + sizeof(T) <= file.size()) std::memcpy(&value, file.data() + offset, sizeof(T));
  return value;
}

// The upper-cased names of the DLLs the program imports, read from its import directory.
std::set<std::string> ImportedDlls(const std::vector<unsigned char>& file) {
  std::set<std::string> names;
  auto lfanew = At<LONG>(file, 0x3C);
  auto nt = At<IMAGE_NT_HEADERS32>(file, static_cast<size_t>(lfanew));
  size_t sections = static_cast<size_t>(lfanew) + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                    nt.FileHeader.SizeOfOptionalHeader;
  auto toOffset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
      auto s = At<IMAGE_SECTION_HEADER>(file, sections + i * sizeof(IMAGE_SECTION_HEADER));
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData)) {
        return rva - s.VirtualAddress + s.PointerToRawData;
      }
    }
    return file.size();
  };
  DWORD importRva = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (size_t d = toOffset(importRva); d + sizeof(IMAGE_IMPORT_DESCRIPTOR) <= file.size();
       d += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    auto desc = At<IMAGE_IMPORT_DESCRIPTOR>(file, d);
    if (desc.Name == 0) break;
    std::string name;
    for (size_t p = toOffset(desc.Name); p < file.size() && file[p] != 0; ++p) {
      name += static_cast<char>(toupper(file[p]));
    }
    names.insert(name);
  }
  return names;
}

std::string ResourceString1(const std::wstring& path) {
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return "<cannot load>";
  wchar_t text[256];
  int n = LoadStringW(module, 1, text, 256);
  FreeLibrary(module);
  char sjis[512];
  int m = WideCharToMultiByte(932, 0, text, n, sjis, sizeof sjis, nullptr, nullptr);
  return std::string(sjis, static_cast<size_t>(m > 0 ? m : 0));
}

TEST(SaverFiles, DescriptionIsFoundInTheFirstBytes) {
  for (const BuiltSaver& s : kSavers) {
    std::wstring path = saverstest::SaversFolder() + s.file;
    SCOPED_TRACE(saverstest::Narrow(path));
    std::vector<unsigned char> file = ReadFile(path);
    ASSERT_GT(file.size(), 4096u);
    std::optional<std::string> found = MarkerDescription(file);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, s.description) << testsupport::Utf8(*found);
    // The marker sits in the DOS stub, before the PE header, which must stay intact.
    auto lfanew = At<LONG>(file, 0x3C);
    std::string head(file.begin(), file.begin() + lfanew);
    EXPECT_NE(head.find("SCRNSAVE"), std::string::npos);
    EXPECT_EQ(At<DWORD>(file, static_cast<size_t>(lfanew)), IMAGE_NT_SIGNATURE);
  }
}

TEST(SaverFiles, DescriptionIsStringResourceOne) {
  for (const BuiltSaver& s : kSavers) {
    std::wstring path = saverstest::SaversFolder() + s.file;
    SCOPED_TRACE(saverstest::Narrow(path));
    std::string text = ResourceString1(path);
    EXPECT_EQ(text, s.description) << testsupport::Utf8(text);
  }
}

TEST(SaverFiles, GuiProgramsImportingOnlySystemLibraries) {
  const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL",
                                        "COMCTL32.DLL", "MSVCRT.DLL"};
  for (const BuiltSaver& s : kSavers) {
    std::wstring path = saverstest::SaversFolder() + s.file;
    SCOPED_TRACE(saverstest::Narrow(path));
    std::vector<unsigned char> file = ReadFile(path);
    ASSERT_GT(file.size(), 4096u);
    auto nt = At<IMAGE_NT_HEADERS32>(file, static_cast<size_t>(At<LONG>(file, 0x3C)));
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    std::set<std::string> dlls = ImportedDlls(file);
    EXPECT_FALSE(dlls.empty());
    for (const std::string& dll : dlls) EXPECT_TRUE(system.count(dll)) << dll << " is not a system library";
  }
}

}  // namespace
