#!/usr/bin/env bash
# The main job: installs what is missing, builds the programs and the kit (build/dist), and runs the
# kit's installer under Wine: the 32-bit kit where the host runs 32-bit code, otherwise the same kit
# built for x86-64 under 64-bit Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if [ "$("$root/scripts/host-mode")" = x86 ]; then
  "$root/scripts/run-kit" "$root/build"
else
  echo "Host mode $("$root/scripts/host-mode" --why): the 32-bit kit is built in build/dist; the"
  echo "demonstration runs the same kit built for x86-64 (build/x64/dist) under 64-bit Wine."
  "$root/scripts/run-kit" "$root/build/x64"
fi
