#!/usr/bin/env bash
# Makes the release package out/dist/QUOVEL32-<version>-win32.zip from the files the build lists
# in shipped.txt (QUOVEL32.EXE, UnLha32.DLL, our savers, the usage texts and the guide for
# Windows users), in that order. The binaries are built twice, in the usual build folder and in a
# fresh one without the compiler cache, and the two builds and the two zips made of them must be
# the same byte for byte. Prints the sizes and fails when a binary is over its limit. Needs the
# set-up (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
version="$(sed -n 's/^project(QUOVEL32 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
dist=out/dist
zip="$dist/QUOVEL32-$version-win32.zip"
# The zip's dates are the last commit's, so that the same sources give the same zip.
stamp="$(git log -1 --format=%ct 2>/dev/null || echo 315532800)"

# make_zip ZIP ENTRIES...: a zip with fixed dates and attributes, entries in the given order,
# names in UTF-8 (flagged, as Windows reads them).
make_zip() {
  python3 - "$stamp" "$@" <<'EOF'
import sys, time, zipfile
stamp, out, entries = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
date = time.gmtime(max(stamp, 315532800))[:6]
with zipfile.ZipFile(out, "w") as z:
    for entry in entries:
        source, name = entry.split("=", 1)
        info = zipfile.ZipInfo(name, date_time=date)
        info.create_system = 0           # MS-DOS attributes
        info.external_attr = 0x20        # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(source, "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
EOF
}

echo "package: building the release binaries"
bash scripts/build.sh win32 qv_shipped_files >/dev/null
again=build/package-check
rm -rf "$again"
echo "package: building them again in $again, without the compiler cache"
cmake --preset win32 -B "$again" >/dev/null
CCACHE_DISABLE=1 cmake --build "$again" -j2 --target qv_shipped_files >/dev/null

mkdir -p "$dist"
rm -f "$dist"/QUOVEL32-*-win32.zip*
# Each line of shipped.txt: "file=name in the zip".
mapfile -t first < build/win32/shipped.txt
mapfile -t second < "$again/shipped.txt"
make_zip "$zip" "${first[@]}"
make_zip "$dist/check.zip" "${second[@]}"

status=0
for i in "${!first[@]}"; do
  a="${first[$i]%%=*}" b="${second[$i]%%=*}"
  cmp -s "$a" "$b" || { echo "package: $a and $b differ: the build is not reproducible"; status=1; }
done
cmp -s "$zip" "$dist/check.zip" || { echo "package: the two zips differ"; status=1; }
rm -f "$dist/check.zip"
# Nothing of the build folders' paths may remain in a shipped file.
for entry in "${first[@]}"; do
  if grep -aqF "$PWD" "${entry%%=*}"; then echo "package: ${entry%%=*} holds a path of this machine"; status=1; fi
done

# Sizes, against the limits of a small download.
printf '%-14s %10s %10s\n' file bytes limit
for entry in "${first[@]}"; do
  file="${entry%%=*}" name="${entry#*=}"
  case "$name" in QUOVEL32.EXE) limit=1500000 ;; *.SCR) limit=350000 ;; *) limit='' ;; esac
  size="$(stat -c %s "$file")"
  printf '%-14s %10d %10s\n' "$name" "$size" "$limit"
  if [ -n "$limit" ] && [ "$size" -gt "$limit" ]; then echo "package: $name is over its limit"; status=1; fi
done
[ $status = 0 ] || { rm -f "$zip"; exit 1; }
(cd "$dist" && sha256sum "$(basename "$zip")" >"$(basename "$zip").sha256")
echo "package: $zip ($(stat -c %s "$zip") bytes), the same from both builds"
