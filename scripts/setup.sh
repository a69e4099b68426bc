#!/usr/bin/env bash
# Installs everything the build, the demo and the tests need, and creates the project's own
# quiet Wine prefix. Safe to run again: it only does what is still missing.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=env.sh
source "$here/env.sh"

packages=(
  wine wine32:i386 wine64 g++-mingw-w64-i686 xvfb xauth xdotool imagemagick
  g++-mingw-w64-x86-64-posix  # the 64-bit build of the test saver, for the WOW64 scenario
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales cmake ninja-build
  googletest libgtest-dev libbenchmark-dev lhasa jlha-utils clang g++ make file
  passwd  # useradd: one scenario runs the program as a plain user
  rsync   # every scenario starts from a copy of the prefix as it was made
  python3 # writes and reads the release zip
  ccache  # a fresh clone compiles from the cache of earlier builds
  # Two monitors: a nested X server with Xinerama, and the library through which 32-bit Wine
  # reads its screens (without it Wine sees a single monitor).
  xserver-xephyr libxinerama1:i386
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails the update now and then; try again, then let the install decide.
  for try in 1 2 3; do
    as_root apt-get update -q && break
    [ "$try" = 3 ] || sleep 15
  done
  if ! as_root apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    # Without one architecture's index of the security updates (that mirror failed), the two
    # architectures' versions of a shared library no longer pair up: take the release's own
    # versions, which exist for both.
    codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    as_root apt-get install -y -q --no-install-recommends -t "$codename" "${missing[@]}"
  fi
fi

# Wine runs with the Japanese code page only when this locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen
fi

bash "$here/wine-prefix.sh"
bash "$here/wine-prefix.sh" 64
