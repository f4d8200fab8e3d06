#!/usr/bin/env bash
# Reads the links that shortcut_test writes with lnkinfo, an independent reader of the link format.
set -u
program=${1:?usage: shortcut_lnkinfo.sh shortcut_test.exe}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
rmdir "$prefix"
WINE_PREFIX=$prefix "$WINE_RUN" "$WINE_TEMPLATE" "$program" write || exit 1

failures=0
field() { lnkinfo -c windows-1251 "$1" | sed -n "s/^\t$2[[:space:]]*: //p"; }
expect() {  # link, field, expected value ("" for absent)
  local actual
  actual=$(field "$1" "$2")
  if [ "$actual" != "$3" ]; then
    echo "FAIL $(basename "$1"): $2 is '$actual', expected '$3'"
    failures=$((failures + 1))
  fi
}

product="$prefix/drive_c/Links/Тиктон.lnk"
full="$prefix/drive_c/Links/full.lnk"
[ -f "$product" ] || { echo "FAIL: Тиктон.lnk was not written"; exit 1; }
expect "$product" "Local path" 'C:\Program Files\Тиктон\Tikton.exe'
expect "$product" "Description" 'Сообщает о наступлении определенного момента времени.'
expect "$product" "Working directory" 'C:\Program Files\Тиктон\'
expect "$product" "Command line arguments" ''
expect "$product" "Icon location" ''
expect "$full" "Command line arguments" '/quiet'
expect "$full" "Icon location" 'C:\Icons\tikton.ico'
expect "$full" "Icon index" '2'

echo "lnkinfo: $((8 - failures)) passed, $failures failed"
[ $failures = 0 ]
