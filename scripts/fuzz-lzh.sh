#!/usr/bin/env bash
# Fuzzes the LZH archive reader with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) for a bounded time.
#   scripts/fuzz-lzh.sh [SECONDS]        default 60; CI passes its own budget
# Seeds: archives the codec writes itself plus, when present, the conformance corpus beside
# the checkout. New inputs and crash reproducers go to build/fuzz-lzh/. Exit status is
# non-zero when the fuzzer found a crash, a leak or undefined behaviour.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz-lzh"
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

sources=(archive commands crc16 decoder encoder header huffman_decode io listing names status)
objects=()
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -Wall -Wextra)
for s in "${sources[@]}"; do
  obj="$out/$s.o"
  if [ ! -f "$obj" ] || [ "$root/src/lzh/$s.cpp" -nt "$obj" ] || [ -n "$(find "$root/src/lzh" -name '*.h' -newer "$obj")" ]; then
    clang++ "${flags[@]}" -c "$root/src/lzh/$s.cpp" -o "$obj" &
  fi
  objects+=("$obj")
done
wait
clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/lzh/fuzz/fuzz_reader.cpp" "${objects[@]}" -o "$out/fuzz_reader"

# Seeds: our own archives of a few kinds of data (built with the codec under the sanitizers).
cat > "$out/make_seeds.cpp" <<'CPP'
#include <cstdio>
#include <string>
#include <vector>
#include "lzh/archive.h"
int main(int, char** argv) {
  std::vector<std::vector<uint8_t>> data(4);
  for (size_t i = 0; i < 3000; ++i) data[0].push_back(static_cast<uint8_t>("screen saver "[i % 13]));
  for (size_t i = 0; i < 20000; ++i) data[1].push_back(static_cast<uint8_t>((i * 2654435761u) >> 13));
  data[2].assign(9000, 0);
  data[3] = {'x'};
  for (size_t k = 0; k < data.size(); ++k) {
    lzh::NewMember m;
    m.meta.name = "start" + std::to_string(k) + ".bin";
    m.meta.folders = {"dir"};
    m.data = data[k].data();
    m.size = data[k].size();
    lzh::VectorSink out;
    lzh::WriteArchive(nullptr, {m}, nullptr, out);
    std::FILE* f = std::fopen((std::string(argv[1]) + "/own" + std::to_string(k) + ".lzh").c_str(), "wb");
    std::fwrite(out.bytes.data(), 1, out.bytes.size(), f);
    std::fclose(f);
  }
}
CPP
clang++ -std=c++20 -O1 -fsanitize=address,undefined -I"$root/src" "$out/make_seeds.cpp" "${objects[@]}" \
  -fsanitize=fuzzer-no-link -o "$out/make_seeds"
"$out/make_seeds" "$out/seeds"
seeds=("$out/seeds")
if [ -d "$root/../shared/corpus/lzh" ]; then
  find "$root/../shared/corpus/lzh" -type f \( -name '*.lzh' -o -name '*.exe' \) -size -200k -exec cp -f {} "$out/seeds/" \;
fi

echo "fuzz-lzh: running for ${seconds}s"
status=0
"$out/fuzz_reader" "$out/corpus" "${seeds[@]}" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$out/artifacts/" -print_final_stats=1 > "$out/last-run.log" 2>&1 || status=$?
grep -aE '^(stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==ERROR|SUMMARY)' "$out/last-run.log" || true
if [ "$status" -ne 0 ]; then
  grep -aE 'Test unit written to' "$out/last-run.log" || true
  echo "fuzz-lzh: FAILED (status $status); see $out/last-run.log and $out/artifacts/"
  exit 1
fi
echo "fuzz-lzh: no findings"
