// Benchmark (not a test): loading and saving a full 32,700-entry list file on the real file
// system, the size at which a memory list stops growing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/list_file.h"

namespace {

std::vector<std::string> FullList() {
  std::vector<std::string> entries;
  for (size_t i = 0; i < store::kListCapacity; ++i) {
    entries.push_back("C:\\Program Files\\スクリーンセーバー集\\第" + std::to_string(i / 100) + "巻\\SAVER" +
                      std::to_string(i) + ".SCR");
  }
  return entries;
}

std::string TempFile() { return (std::filesystem::temp_directory_path() / "qv_bench_list.lis").string(); }

void BM_ParseFullList(benchmark::State& state) {
  const std::string bytes = store::FormatList(FullList());
  for (auto _ : state) benchmark::DoNotOptimize(store::ParseList(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_FormatFullList(benchmark::State& state) {
  const std::vector<std::string> entries = FullList();
  for (auto _ : state) benchmark::DoNotOptimize(store::FormatList(entries));
}

// Whole round trip through a file: what a list switch costs.
void BM_SaveAndLoadFile(benchmark::State& state) {
  const std::vector<std::string> entries = FullList();
  const std::string path = TempFile();
  for (auto _ : state) {
    {
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      const std::string text = store::FormatList(entries);
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    benchmark::DoNotOptimize(store::ParseList(bytes));
  }
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_ParseFullList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatFullList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAndLoadFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
