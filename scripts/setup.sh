#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian machine (as root).
# Safe to run again: it only installs what is missing. Wine comes as the build
# this host runs (scripts/lib/host.bash): 32-bit Wine with i386 multiarch, or
# wine64 and no i386 packages at all.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
. "$here/lib/host.bash"
. "$here/lib/packages.bash"
echo "setup: $QUILLET_BUILD_WHY"

pkgs=(cmake make g++ googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
      binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
      xvfb xauth xdotool x11-utils imagemagick
      fonts-wqy-microhei fonts-wqy-zenhei fonts-wine locales python3)
if [ "$QUILLET_BUILD" = win32 ]; then
  pkgs+=(wine wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
else
  pkgs+=(wine wine64)
fi

need=()
for p in "${pkgs[@]}"; do quillet_have_package "$p" || need+=("$p"); done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  quillet_apt_update
  quillet_apt_install "${need[@]}"
fi

# Wine must see code page 936, which comes from a zh_CN locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 || true
fi
