#!/usr/bin/env bash
# Makes the version matrix's table from the rows; fails unless every version left a row, every row
# passed and the README shows the same table.
set -u
source "$(dirname "$0")/../lib/readme.sh"
rows=${1:?usage: matrix_table.sh MATRIX_DIR README OUTDIR}
readme=${2:?}
sections=${3:?}
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
echo "$table"
failed=$(echo "$table" | grep -c -E '\| (failed|no result) \|$')
readme_section "$readme" matrix "$table" "$sections"
same=$?
echo "matrix: $((${#versions[@]} - failed)) passed, $failed failed"
[ "$failed" = 0 ] && [ $same = 0 ]
