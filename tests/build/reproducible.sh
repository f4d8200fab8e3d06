#!/usr/bin/env bash
# Building again from the same sources, in another folder, gives the same kit byte for byte.
set -u
source_dir=${1:?usage: reproducible.sh SOURCE_DIR BUILD_DIR}
build=${2:?}
again=$(mktemp -d)
trap 'rm -rf "$again"' EXIT
cmake -S "$source_dir" -B "$again" -DBUILD_TESTING=OFF >/dev/null || exit 1
cmake --build "$again" -j "$(nproc)" --target kit >/dev/null || exit 1
failures=0
for file in dist/Install.exe dist/Install.cab dist/SHA256SUMS uninstall/unTikton.exe; do
  if cmp -s "$build/$file" "$again/$file"; then
    echo "same: $file ($(stat -c %s "$build/$file") bytes)"
  else
    echo "FAIL $file differs between the two builds"; failures=$((failures + 1))
  fi
done
echo "reproducible: $((4 - failures)) passed, $failures failed"
[ $failures = 0 ]
