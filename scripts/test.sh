#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds with warnings as errors, runs every test under
# Wine (two at a time). Where the host cannot run 32-bit code, the Wine tests run an x86-64 build of
# the same sources under 64-bit Wine (build/x64), and the checks of the shipped files still read the
# 32-bit build (build/). HOST_MODE=x86 or x86-64 forces the mode (scripts/host-mode).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=$("$root/scripts/host-mode" --why)
case $mode in
  x86-64*) line="Wine tests run the x86-64 build under 64-bit Wine; the shipped 32-bit files are checked as built" ;;
  *)       line="Wine tests run the shipped 32-bit build under 32-bit Wine" ;;
esac
echo "test: host mode $mode: $line"

"$root/scripts/build.sh" -DWARNINGS_AS_ERRORS=ON
tree=$root/build
[[ $mode == x86-64* ]] && tree=$root/build/x64
cd "$tree"
echo "$tree" > "$root/build/last-test-tree"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
ctest -j2 --output-on-failure "$@" 2>&1 | tee "$log" || status=$?
skipped=$(grep -c '\*\*\*Skipped' "$log" || true)
echo "test: host mode ${mode%% *}: $skipped test(s) skipped"
grep -h '^skipped: ' Testing/Temporary/LastTest.log | sed 's/^/test:   /' || true
grep -E '^[0-9]+% tests passed' "$log" | tail -n 1 || true
exit $status
