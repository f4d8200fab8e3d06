#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds with warnings as errors, runs every test under
# Wine (two at a time). Where the host cannot run 32-bit code, the Wine tests run an x86-64 build of
# the same sources under 64-bit Wine (build/x64), and the checks of the shipped files still read the
# 32-bit build (build/). HOST_MODE=x86 or x86-64 forces the mode (scripts/host-mode).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
mode=$("$root/scripts/host-mode" --why)
case $mode in
  x86-64*) line="Wine tests run the x86-64 build under 64-bit Wine; the shipped 32-bit files are checked as built" ;;
  *)       line="Wine tests run the shipped 32-bit build under 32-bit Wine" ;;
esac
echo "test: host mode $mode: $line"

"$root/scripts/build.sh" -DWARNINGS_AS_ERRORS=ON
tree=$root/build
if [[ $mode == x86-64* ]]; then
  tree=$root/build/x64
  cmake -S "$root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-mingw.cmake" \
        -DSHIPPED_BUILD="$root/build" -DWARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build "$tree" -j "$(nproc)"
fi
cd "$tree"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest -j2 --output-on-failure "$@" 2>&1 | tee "$log" || status=$?
skipped=$(grep -c '\*\*\*Skipped' "$log" || true)
echo "test: host mode ${mode%% *}: $skipped test(s) skipped, each with its reason above"
exit $status
