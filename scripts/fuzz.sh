#!/usr/bin/env bash
# Fuzzes the archive code and the cache-file readers with libFuzzer (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer). The targets are built and run one after another:
#   reader   any input read as an archive, every member listed and decoded
#   command  the library's command entry: fuzzed command lines, output buffers of exact sizes
#   names    the entry-name rule against a model of how Windows reads the extracted path
#   caches   the readers of QVNAME32.DAT and QVLIST32.DAT behind a valid frame and checksum
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]         SECONDS (default 60) shared by the targets
#   scripts/fuzz.sh --each SECONDS [TARGET...]    every target runs SECONDS (long runs)
#
# Seeds: inputs made by our own code plus, when present, the conformance corpus beside the
# checkout. Each target keeps its corpus and crash reproducers in build/fuzz/<target>/, so a
# later run goes on from there. The exit status is non-zero when any target found a crash, a leak
# or undefined behaviour; the other targets still run. Clang has no CP932 execution character
# set: the few Japanese literals of the code under test are UTF-8 here, which the fuzzing does
# not depend on.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz"

each=""
if [ "${1:-}" = "--each" ]; then
  each="${2:?--each needs a number of seconds}"
  shift 2
  seconds=0
else
  seconds="${1:-60}"
  [ $# -gt 0 ] && shift
fi
all=(reader command names caches)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

# Share of the budget in tenths: the reader has the most code behind it, the name rule the least.
declare -A weight=([reader]=4 [command]=3 [names]=1 [caches]=2)
lzh=(lzh/archive lzh/commands lzh/crc16 lzh/decoder lzh/encoder lzh/header lzh/huffman_decode lzh/io lzh/listing
     lzh/names lzh/status text/text_path text/sjis_codec text/posix/sjis_system)
caches=(store/description_cache store/listing_cache store/list_file store/saver_resource text/text_path text/sjis_codec text/posix/sjis_system
        platform/file_system platform/os_result platform/system_folder platform/fake/fake_file_system
        platform/fake/fake_text_codec platform/fake/fold)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
       -I"$root/src" -Wall -Wextra)
mkdir -p "$out/obj"

# object SOURCE: compiles src/SOURCE.cpp unless its object is newer than it and every header.
object() {
  local obj="$out/obj/${1//\//_}.o"
  if [ ! -f "$obj" ] || [ "$root/src/$1.cpp" -nt "$obj" ] || [ -n "$(find "$root/src" -name '*.h' -newer "$obj" -print -quit)" ]; then
    clang++ "${flags[@]}" -c "$root/src/$1.cpp" -o "$obj"
  fi
}

# build PROGRAM MAIN SANITIZER SOURCES...: links MAIN with the objects of SOURCES, as a fuzz
# target (SANITIZER fuzzer) or as a plain program (fuzzer-no-link).
build() {
  local name="$1" main="$2" sanitizer="$3" objs=() s
  shift 3
  for s in "$@"; do
    object "$s"
    objs+=("$out/obj/${s//\//_}.o")
  done
  clang++ "${flags[@]}" -fsanitize="$sanitizer" "$root/$main" "${objs[@]}" -o "$out/bin/$name"
}

mkdir -p "$out/bin"
status=0
seeded=""
for target in "${targets[@]}"; do
  case "$target" in
    reader | command | names) build "fuzz_$target" "tests/lzh/fuzz/fuzz_$target.cpp" fuzzer "${lzh[@]}" ;;
    caches) build fuzz_caches tests/store/fuzz/fuzz_caches.cpp fuzzer "${caches[@]}" ;;
    *) echo "fuzz: unknown target $target (known: ${all[*]})"; exit 2 ;;
  esac
  seeds="$out/$target/seeds"
  rm -rf "$seeds"
  mkdir -p "$out/$target/corpus" "$out/$target/artifacts" "$seeds"
  if [ "$target" = caches ]; then
    build cache_seeds tests/store/fuzz/cache_seeds.cpp fuzzer-no-link "${caches[@]}"
    "$out/bin/cache_seeds" "$seeds"
  else
    if [ -z "$seeded" ]; then
      build fuzz_seeds tests/lzh/fuzz/fuzz_seeds.cpp fuzzer-no-link "${lzh[@]}"
      rm -rf "$out/seeds"
      mkdir -p "$out/seeds/reader" "$out/seeds/command" "$out/seeds/names"
      "$out/bin/fuzz_seeds" "$out/seeds"
      seeded=1
    fi
    cp -f "$out/seeds/$target"/* "$seeds/"
    if [ "$target" = reader ] && [ -d "$root/../shared/corpus/lzh" ]; then
      find "$root/../shared/corpus/lzh" -type f \( -name '*.lzh' -o -name '*.exe' \) -size -200k -exec cp -f {} "$seeds/" \;
    fi
  fi

  # At least a second each: libFuzzer takes 0 for no limit.
  time="${each:-$((seconds * ${weight[$target]} / 10))}"
  [ "$time" -ge 1 ] || time=1
  echo "fuzz: $target for ${time}s"
  log="$out/$target/last-run.log"
  result=0
  "$out/bin/fuzz_$target" "$out/$target/corpus" "$seeds" -max_total_time="$time" -max_len=65536 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$out/$target/artifacts/" -print_final_stats=1 > "$log" 2>&1 || result=$?
  grep -aE '^(stat::number_of_executed_units|stat::average_exec_per_sec|==[0-9]+==ERROR|SUMMARY)' "$log" || true
  if [ "$result" -ne 0 ]; then
    grep -aE 'Test unit written to' "$log" || true
    echo "fuzz: $target FAILED (status $result); see $log and $out/$target/artifacts/"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "fuzz: no findings"
exit "$status"
