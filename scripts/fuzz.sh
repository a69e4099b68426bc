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
# later run goes on from there; the programs are built in build/fuzz/build. The exit status is
# non-zero when any target found a crash, a leak or undefined behaviour; the other targets still
# run.
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
for target in "${targets[@]}"; do
  [ -n "${weight[$target]:-}" ] || { echo "fuzz: unknown target $target (known: ${all[*]})"; exit 2; }
done

# The fuzz build (CMake preset fuzz) knows the targets' sources and flags.
programs=()
for target in "${targets[@]}"; do
  case "$target" in
    caches) programs+=(fuzz_caches cache_seeds) ;;
    *) programs+=("fuzz_$target" fuzz_seeds) ;;
  esac
done
mkdir -p "$out"
bash "$root/scripts/build.sh" fuzz "${programs[@]}" >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
bin="$out/build/bin"

status=0
seeded=""
for target in "${targets[@]}"; do
  seeds="$out/$target/seeds"
  rm -rf "$seeds"
  mkdir -p "$out/$target/corpus" "$out/$target/artifacts" "$seeds"
  if [ "$target" = caches ]; then
    "$bin/cache_seeds" "$seeds"
  else
    if [ -z "$seeded" ]; then
      rm -rf "$out/seeds"
      mkdir -p "$out/seeds/reader" "$out/seeds/command" "$out/seeds/names"
      "$bin/fuzz_seeds" "$out/seeds"
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
  "$bin/fuzz_$target" "$out/$target/corpus" "$seeds" -max_total_time="$time" -max_len=65536 -timeout=10 \
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
