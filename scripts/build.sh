#!/usr/bin/env bash
# Installs what is missing, then builds both programs and the kit into build/ (the 32-bit build that
# ships). Where the host cannot run 32-bit code (scripts/host-mode), the same sources are also built for
# x86-64 into build/x64, whose programs the tests and the demonstration run under 64-bit Wine.
#   build.sh [CMAKE_OPTIONS...]   (given to both trees)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
if [ "$("$root/scripts/host-mode")" = x86 ]; then
  cmake -S "$root" -B "$root/build" -DBUILD_TESTING=ON "$@" >/dev/null
  cmake --build "$root/build" -j "$(nproc)"
else
  cmake -S "$root" -B "$root/build" -DBUILD_TESTING=OFF "$@" >/dev/null
  cmake --build "$root/build" -j "$(nproc)"
  cmake -S "$root" -B "$root/build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-mingw.cmake" \
        -DSHIPPED_BUILD="$root/build" "$@" >/dev/null
  cmake --build "$root/build/x64" -j "$(nproc)"
fi
echo "Built: the kit in $root/build/dist (Install.exe, Install.cab)"
