// Benchmark (not a test): the program's file copy against the system's CopyFileW on one 256 MiB
// file in the temporary folder, with CopyFileW followed by a flush to the disk as a reference.
// After one uncounted copy they take turns, seven runs each; prints MiB/s per run, the medians
// and the ratios (the program's copy should keep at least 0.9 of CopyFileW's speed).
#include <windows.h>
// <windows.h> makes CopyFile a macro for CopyFileA or CopyFileW; here it is the program's own.
#undef CopyFile

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fileops/file_copy.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kSize = 256 * kMiB;
constexpr int kRuns = 7;

bool MakeSource(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  std::vector<std::uint32_t> block(kMiB / 4);
  std::uint32_t x = 2463534242u;
  bool ok = true;
  for (std::uint64_t done = 0; ok && done < kSize; done += kMiB) {
    for (auto& v : block) {
      x ^= x << 13, x ^= x >> 17, x ^= x << 5;
      v = x;
    }
    DWORD written = 0;
    ok = WriteFile(h, block.data(), static_cast<DWORD>(kMiB), &written, nullptr) && written == kMiB;
  }
  // On the disk before the first run, so that no run pays for writing the source.
  ok = ok && FlushFileBuffers(h);
  CloseHandle(h);
  return ok;
}

std::uint64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// MiB/s of one copy made by `copy` into `to`, or 0 when it failed or the result has the wrong
// size. The copy is deleted afterwards.
double Measure(const std::function<bool()>& copy, const std::wstring& to) {
  DeleteFileW(to.c_str());
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  const bool ok = copy();
  QueryPerformanceCounter(&t1);
  const bool complete = ok && SizeOf(to) == kSize;
  DeleteFileW(to.c_str());
  const double seconds = static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
  return complete && seconds > 0 ? static_cast<double>(kSize / kMiB) / seconds : 0.0;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 != 0 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring from = std::wstring(temp) + L"qv-copy-bench.src";
  const std::wstring ours = std::wstring(temp) + L"qv-copy-bench.qv";
  const std::wstring system = std::wstring(temp) + L"qv-copy-bench.sys";
  if (!MakeSource(from)) {
    std::printf("cannot write %s\n", platform::win32::Narrow(from)->c_str());
    return 1;
  }

  platform::win32::Win32FileSystem fs;
  const std::string fromA = *platform::win32::Narrow(from), oursA = *platform::win32::Narrow(ours);
  struct Contender {
    const char* name;
    std::function<bool()> copy;
    std::wstring to;
    std::vector<double> rates;
  } contenders[] = {
      {"program", [&] { return fileops::CopyFile(fs, fromA, oursA, {}).empty(); }, ours, {}},
      {"CopyFileW", [&] { return CopyFileW(from.c_str(), system.c_str(), FALSE) != FALSE; }, system, {}},
      // When it replaces a file, the program's copy puts its result on the disk first; this does
      // the same after the system's copy and shows what that costs.
      {"CopyFileW+flush",
       [&] {
         if (!CopyFileW(from.c_str(), system.c_str(), FALSE)) return false;
         HANDLE h = CreateFileW(system.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         const bool flushed = h != INVALID_HANDLE_VALUE && FlushFileBuffers(h);
         if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
         return flushed;
       },
       system, {}},
  };
  constexpr int kContenders = 3;

  // The first copy of a process runs at about half speed whichever copy makes it; it is not
  // counted.
  Measure(contenders[1].copy, system);
  bool failed = false;
  for (int run = 0; run < kRuns; ++run) {
    // Who goes first rotates, so no copy always meets the same state of the caches.
    for (int i = 0; i < kContenders; ++i) {
      Contender& c = contenders[(run + i) % kContenders];
      c.rates.push_back(Measure(c.copy, c.to));
      failed = failed || c.rates.back() == 0;
    }
    std::printf("run %d:", run + 1);
    for (const Contender& c : contenders) std::printf("  %s %7.1f MiB/s", c.name, c.rates.back());
    std::printf("\n");
    std::fflush(stdout);
  }
  DeleteFileW(from.c_str());

  std::printf("256 MiB copy, median of %d:", kRuns);
  for (const Contender& c : contenders) std::printf("  %s %.1f MiB/s", c.name, Median(c.rates));
  const double program = Median(contenders[0].rates);
  std::printf("\nratio program / CopyFileW %.2f (goal >= 0.90), program / CopyFileW+flush %.2f\n",
              program / Median(contenders[1].rates), program / Median(contenders[2].rates));
  if (failed) std::printf("a copy failed\n");
  return failed ? 1 : 0;
}
