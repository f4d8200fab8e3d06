#!/usr/bin/env bash
# check-kit passes the built kit and refuses kits with a damaged cabinet, a wrong checksum, the
# uninstaller out of place or a file the uninstaller would leave behind.
set -u
check_kit=${1:?usage: check_kit.sh check-kit DIST_DIR}
dist=${2:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
checks=0 failures=0
expect() {  # what, wanted exit (0 or 1), kit folder
  checks=$((checks + 1))
  "$check_kit" "$3" >/dev/null 2>&1
  local got=$?
  [ $((got != 0)) = "$2" ] || { echo "FAIL $1: check-kit exited $got"; failures=$((failures + 1)); }
}
kit() {  # name, then the files of the cabinet in order
  local folder=$work/$1
  shift
  mkdir -p "$folder"
  cp "$dist/Install.exe" "$folder/"
  (cd "$work/files" && gcab --create --nopath "$folder/Install.cab" "$@")
  (cd "$folder" && sha256sum Install.exe Install.cab > SHA256SUMS)
  echo "$folder"
}
mkdir -p "$work/files"
(cd "$work/files" && cabextract -q "$dist/Install.cab" && echo extra > Extra.txt)

expect "the built kit" 0 "$dist"
expect "a good copy" 0 "$(kit good Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe)"
expect "uninstaller fourth" 1 "$(kit fourth Tikton.exe Tikton.hlp Tikton.cnt unTikton.exe Tikton.gid)"
expect "a file left behind" 1 "$(kit extra Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe Extra.txt)"
expect "no help file" 1 "$(kit nohelp Tikton.exe Tikton.cnt Tikton.gid Tikton.gid unTikton.exe)"
truncated=$(kit truncated Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe)
truncate -s 4000 "$truncated/Install.cab"
(cd "$truncated" && sha256sum Install.exe Install.cab > SHA256SUMS)
expect "a truncated cabinet" 1 "$truncated"
stale=$(kit stale Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe)
echo tampered >> "$stale/Install.exe"
expect "a stale checksum" 1 "$stale"
echo "check-kit cases: $((checks - failures)) passed, $failures failed"
[ $failures = 0 ]
