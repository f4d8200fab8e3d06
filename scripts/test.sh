#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds with warnings as errors, runs every test
# under Wine (two at a time).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" -DWARNINGS_AS_ERRORS=ON
cd "$root/build"
ctest -j2 --output-on-failure "$@"
