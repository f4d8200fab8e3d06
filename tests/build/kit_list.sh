#!/usr/bin/env bash
# The kit's payload list: the archive keeps its order with the uninstaller fifth, and a list that
# would put anything else there, or names a file that is missing, stops the build with a message.
set -u
make_kit=${1:?usage: kit_list.sh make-kit}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/payload"
for f in Tikton.hlp Tikton.cnt Tikton.gid Extra.txt; do echo "$f" > "$work/payload/$f"; done
for f in Install.exe unTikton.exe Tikton.exe; do echo "$f" > "$work/$f"; done
checks=0 failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }

kit() {  # list lines...; runs make-kit, leaves its message in $work/message
  printf '%s\n' "$@" > "$work/list"
  rm -rf "$work/out"
  "$make_kit" "$work/out" "$work/list" "$work/payload" "$work/Install.exe" "$work/unTikton.exe" \
    "$work/Tikton.exe" 2> "$work/message"
}
refused() {  # what, expected words of the message, list lines...
  local what=$1 words=$2
  shift 2
  checks=$((checks + 1))
  if kit "$@"; then fail "$what: the kit was built"; return; fi
  grep -q "$words" "$work/message" || fail "$what: message was '$(cat "$work/message")'"
}

refused "four files" "fifth entry is 'nothing'" Tikton.exe Tikton.hlp Tikton.cnt unTikton.exe
refused "uninstaller fourth" "fifth entry is 'Tikton.gid'" Tikton.exe Tikton.hlp Tikton.cnt unTikton.exe Tikton.gid
refused "uninstaller twice" "again at place 6" Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe unTikton.exe
refused "missing file" "Missing.txt is in" Tikton.exe Tikton.hlp Tikton.cnt Missing.txt unTikton.exe

checks=$((checks + 1))
if kit '# comment' Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe '' Extra.txt; then
  order=$(cabextract -l "$work/out/Install.cab" | sed -n 's/^ *[0-9][0-9]* | [^|]* | //p' | tr '\n' ' ')
  [ "$order" = "Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid unTikton.exe Extra.txt " ] || fail "order: $order"
  [ "$(cabextract -q -p -F unTikton.exe "$work/out/Install.cab")" = unTikton.exe ] || fail "the uninstaller's content"
  cmp -s "$work/out/Install.exe" "$work/Install.exe" || fail "Install.exe beside the cabinet"
else
  fail "a good list was refused: $(cat "$work/message")"
fi
echo "kit list: $((checks - failures)) passed, $failures failed"
[ $failures = 0 ]
