#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds with warnings as errors, and runs every test
# under Wine (two at a time) in each mode the host can run. A host that runs 32-bit code runs the shipped
# 32-bit build under 32-bit Wine (x86), then the same sources built for x86-64 under 64-bit Wine (build/x64,
# x86-64); a host that cannot runs the x86-64 mode alone. The checks of the shipped files always read the
# 32-bit build. HOST_MODE=x86 or x86-64 runs that one mode (scripts/host-mode).
#   test.sh [CTEST_OPTIONS...]   (given to every mode's ctest)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
why=$("$root/scripts/host-mode" --why) || exit 2
if [ -n "${HOST_MODE:-}" ]; then
  modes=("${why%% *}")
  echo "test: $why: that mode alone"
elif [[ $why == x86\ * ]]; then
  modes=(x86 x86-64)
  echo "test: host mode $why: both modes, x86 then x86-64"
else
  modes=(x86-64)
  echo "test: host mode $why: the x86-64 mode alone"
fi

build_x64=0
[[ " ${modes[*]} " == *" x86-64 "* ]] && build_x64=1
BUILD_X64=$build_x64 "$root/scripts/build.sh" -DWARNINGS_AS_ERRORS=ON || exit 1

log=$(mktemp)
trap 'rm -f "$log"' EXIT
summaries=() status=0
for mode in "${modes[@]}"; do
  if [ "$mode" = x86 ]; then
    tree=$root/build line="the shipped 32-bit build under 32-bit Wine"
  else
    tree=$root/build/x64 line="the x86-64 build under 64-bit Wine; the shipped 32-bit files checked as built"
  fi
  echo "test: mode $mode: $line"
  # The README's generated sections come from the shipped build's run when there is one.
  [ "$mode" = x86 ] || [ ${#modes[@]} = 1 ] && echo "$tree" > "$root/build/last-test-tree"
  start=$SECONDS
  (cd "$tree" && ctest -j2 --output-on-failure "$@") 2>&1 | tee "$log"
  mode_status=${PIPESTATUS[0]}
  [ "$mode_status" = 0 ] || status=1
  skipped=$(grep -c '\*\*\*Skipped' "$log")
  grep -h '^skipped: ' "$tree/Testing/Temporary/LastTest.log" 2>/dev/null | sed 's/^/test:   /'
  result=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1)
  summary="mode $mode: ${result:-no result (ctest exit $mode_status)}, $skipped skipped, $((SECONDS - start)) s"
  echo "test: $summary"
  summaries+=("$summary")
done
verdict=passed
[ $status = 0 ] || verdict=FAILED
echo "test: $verdict: $(IFS=';'; echo "${summaries[*]}" | sed 's/;/; /g')"
exit $status
