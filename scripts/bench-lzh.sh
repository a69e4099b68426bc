#!/usr/bin/env bash
# Benchmarks of the LZH codec (not a test): one generated 64 MiB file of mixed text, binaries,
# random bytes and zeros, measured side by side in one run.
#   decode: our decoder vs lhasa's lha and libarchive's bsdtar, all on the same -lh5- archive
#   encode: our -lh5- encoder vs jlha (time and archive size)
# Goals: decode at least 1.2 x bsdtar's speed; encode at least 2 x jlha's speed with an
# archive no larger. Each timing is the best of three runs. Installs libarchive-tools if
# bsdtar is missing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$root/build/bench-lzh"
mkdir -p "$work"

if ! command -v bsdtar >/dev/null 2>&1; then
  echo "bench-lzh: installing libarchive-tools for bsdtar"
  if [ "$(id -u)" = 0 ]; then apt-get install -y -q --no-install-recommends libarchive-tools >/dev/null
  else sudo apt-get install -y -q --no-install-recommends libarchive-tools >/dev/null; fi
fi
for tool in lha jlha bsdtar g++; do
  command -v "$tool" >/dev/null 2>&1 || { echo "bench-lzh: $tool is missing"; exit 1; }
done

# Our codec, optimised as in a release build.
srcs=()
for s in archive commands crc16 decoder encoder header huffman_decode io listing names status std_files; do
  srcs+=("$root/src/lzh/$s.cpp")
done
g++ -std=c++20 -O2 -DNDEBUG -I"$root/src" "$root/tests/lzh/lzh_tool.cpp" "${srcs[@]}" -o "$work/lzh_tool"

# Samples for the text and binary pieces, then the 64 MiB input.
if [ ! -f "$work/mixed.bin" ]; then
  # (head closes the pipe early; that is not an error here)
  { cat /usr/share/common-licenses/* /usr/share/doc/*/copyright 2>/dev/null || true; } |
    head -c $((4 << 20)) > "$work/text.sample" || true
  { cat /usr/bin/bash /usr/bin/ls /usr/bin/cp /usr/bin/tar /usr/bin/gzip /usr/bin/cmake 2>/dev/null || true; } |
    head -c $((4 << 20)) > "$work/bin.sample" || true
  "$work/lzh_tool" mixed "$work/mixed.bin" 64 "$work/text.sample" "$work/bin.sample"
fi
size=$(stat -c %s "$work/mixed.bin")

# best TIME-OF-THREE-RUNS of a command (seconds)
best() {
  local best=""
  for _ in 1 2 3; do
    local t0 t1 t
    t0=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s.%N)
    t=$(awk "BEGIN { print $t1 - $t0 }")
    if [ -z "$best" ] || awk "BEGIN { exit !($t < $best) }"; then best=$t; fi
  done
  printf '%.3f' "$best"
}
mbps() { awk "BEGIN { printf \"%.1f\", $size / 1048576 / $1 }"; }
ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }

cd "$work"
rm -f ours.lzh jlha.lzh
enc_ours=$(best "$work/lzh_tool" encode mixed.bin ours.lzh)
enc_jlha=$(best sh -c 'rm -f jlha.lzh && jlha a2o5q jlha.lzh mixed.bin')
size_ours=$(stat -c %s ours.lzh)
size_jlha=$(stat -c %s jlha.lzh)
# Everyone decodes the same archive and checks its CRC; output goes nowhere.
lha t ours.lzh > /dev/null
dec_ours=$(best "$work/lzh_tool" decode ours.lzh)
dec_lha=$(best sh -c 'lha pq ours.lzh > /dev/null')
dec_bsdtar=$(best sh -c 'bsdtar -xOf ours.lzh > /dev/null')

echo "input: $size bytes of mixed text, binaries, random bytes and zeros"
echo
echo "decode (same -lh5- archive)      seconds    MiB/s"
printf '  ours                          %8s  %7s\n' "$dec_ours" "$(mbps "$dec_ours")"
printf '  lha (lhasa)                   %8s  %7s\n' "$dec_lha" "$(mbps "$dec_lha")"
printf '  bsdtar (libarchive)           %8s  %7s\n' "$dec_bsdtar" "$(mbps "$dec_bsdtar")"
echo "  ours vs bsdtar: $(ratio "$dec_bsdtar" "$dec_ours") x (goal >= 1.2)"
echo
echo "encode -lh5-                     seconds    MiB/s   archive bytes"
printf '  ours                          %8s  %7s  %12s\n' "$enc_ours" "$(mbps "$enc_ours")" "$size_ours"
printf '  jlha                          %8s  %7s  %12s\n' "$enc_jlha" "$(mbps "$enc_jlha")" "$size_jlha"
echo "  ours vs jlha: $(ratio "$enc_jlha" "$enc_ours") x speed (goal >= 2)," \
  "size $(awk "BEGIN { printf \"%+.2f\", ($size_ours - $size_jlha) * 100 / $size_jlha }") % (goal <= 0)"
