#!/usr/bin/env bash
# Installs what is missing, then builds both programs and the kit into build/ (the 32-bit build that
# ships). The same sources are also built for x86-64 into build/x64, whose programs run under 64-bit Wine,
# where the host cannot run 32-bit code (scripts/host-mode) or when BUILD_X64=1 (the suite's second mode).
#   build.sh [CMAKE_OPTIONS...]   (given to both trees)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
mode=$("$root/scripts/host-mode")
# The 32-bit tree carries the tests only where its programs can run.
testing=OFF
[ "$mode" = x86 ] && testing=ON
cmake -S "$root" -B "$root/build" -DBUILD_TESTING=$testing "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
if [ "$mode" = x86-64 ] || [ "${BUILD_X64:-0}" = 1 ]; then
  cmake -S "$root" -B "$root/build/x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-mingw.cmake" \
        -DSHIPPED_BUILD="$root/build" "$@" >/dev/null
  cmake --build "$root/build/x64" -j "$(nproc)"
fi
echo "Built: the kit in $root/build/dist (Install.exe, Install.cab)"
