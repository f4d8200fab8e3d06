#!/usr/bin/env bash
# Both programs must load on Windows 95 and NT 4.0: 32-bit PE files with subsystem version 4.0, no time
# stamp, importing only from the system DLLs the kit is allowed to use.
set -u
source "$(dirname "$0")/../lib/readme.sh"
# pe_check.sh README OUTDIR EXE...: the size table is made from the files and must match the README's.
readme=$1
sections=$2
shift 2
sizes=$'| program | bytes | budget |\n|---|---|---|'
# The DLLs the system always takes from its own folder; any other is loaded at run time by full path.
allowed='ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll OLE32.dll SETUPAPI.dll SHELL32.dll USER32.dll'
allowed_functions="$(dirname "$0")/allowed-imports.txt"
failures=0
checks=0
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }

for exe in "$@"; do
  name=$(basename "$exe")
  headers=$(i686-w64-mingw32-objdump -p "$exe") || { fail "$name" "not a PE file"; continue; }
  field() { echo "$headers" | sed -n "s|^$1[[:space:]]*||p" | head -n 1; }
  checks=$((checks + 5))
  [ "$(field Magic)" = '010b	(PE32)' ] || fail "$name" "not a 32-bit PE file: $(field Magic)"
  [ "$(field MajorSubsystemVersion)" = 4 ] && [ "$(field MinorSubsystemVersion)" = 0 ] \
    || fail "$name" "subsystem version $(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
  [ "$(field Subsystem)" = '00000002	(Windows GUI)' ] || fail "$name" "subsystem $(field Subsystem)"
  [ "$(field Time/Date)" = 'Thu Jan  1 00:00:00 1970' ] || fail "$name" "time stamp $(field Time/Date)"
  for dll in $(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    case " ${allowed,,} " in
      *" ${dll,,} "*) ;;
      *) fail "$name" "imports $dll" ;;
    esac
  done
  # Every imported function is on the list kept in the repository.
  new=$(echo "$headers" | awk '/DLL Name:/ {dll=toupper($3); next} dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print dll "!" $3}' \
        | sort -u | comm -23 - <(grep -v '^#' "$allowed_functions" | sort -u))
  checks=$((checks + 1))
  [ -z "$new" ] || fail "$name" "imports what the list does not allow: $(echo $new)"
  # Functions missing on Windows 95 are looked up at run time, never imported.
  for late in GetDiskFreeSpaceExA GradientFill; do
    echo "$headers" | grep -q "[[:space:]]$late\$" && fail "$name" "imports $late statically"
  done
  # Size budget, side pictures included: run-length encoded, they leave each program well under it;
  # carried raw, they would not fit.
  size=$(stat -c %s "$exe")
  case $name in Install.exe) budget=81920 ;; unTikton.exe) budget=98304 ;; *) budget=0 ;; esac
  checks=$((checks + 1))
  [ "$size" -le "$budget" ] || fail "$name" "$size bytes, over its budget of $budget"
  echo "$name: $size bytes (budget $budget)"
  sizes+=$'\n'"| $name | $size | $budget |"
done
checks=$((checks + 1))
readme_section "$readme" sizes "$sizes" "$sections" || failures=$((failures + 1))
echo "pe: $((checks - failures)) passed, $failures failed"
[ $failures = 0 ]
