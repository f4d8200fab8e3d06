#!/usr/bin/env bash
# The main job: installs what is missing, builds the programs and the kit (build/dist), and runs the
# kit's installer under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
"$root/scripts/run-kit"
