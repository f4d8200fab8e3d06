#!/usr/bin/env bash
# Puts the version matrix's rows into the README between its markers; fails unless every version
# left a row and every row passed.
set -u
source "$(dirname "$0")/../lib/readme.sh"
rows=${1:?usage: matrix_table.sh MATRIX_DIR README}
readme=${2:?}
versions=(win95 win98 winme nt40 win2k winxp win7 win10)
table="| Wine reports | platform | shortcuts made with every box ticked | free space measured with | life cycle |
|---|---|---|---|---|"
missing=0
for version in "${versions[@]}"; do
  row=$(cat "$rows/matrix-$version.md" 2>/dev/null | iconv -f cp1251 -t utf-8)
  if [ -z "$row" ]; then
    row="| $version | | | | no result |"
    missing=$((missing + 1))
  fi
  table+=$'\n'"$row"
done
replace_section "$readme" matrix "$table"
echo "$table"
failed=$(echo "$table" | grep -c -E '\| (failed|no result) \|$')
echo "matrix: $((${#versions[@]} - failed)) passed, $failed failed"
[ "$failed" = 0 ]
