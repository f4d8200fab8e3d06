#!/usr/bin/env bash
# The main job: installs what is missing, then builds both programs into build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
echo "Built: the kit in $root/build/dist (Install.exe, Install.cab)"
