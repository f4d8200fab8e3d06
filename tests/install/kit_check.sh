#!/usr/bin/env bash
# A complete installation from the kit, driven through the wizard, then read back independently:
# the record with Wine's reg, the files on disk, the shortcuts with lnkinfo.
#   kit_check.sh kit_run.exe DIST_DIR
set -u
program=${1:?usage: kit_check.sh kit_run.exe DIST_DIR}
dist=${2:?}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
rmdir "$prefix"
source "$(dirname "$0")/../lib/reg.sh"

WINE_PREFIX=$prefix WINE_GUI=1 "$WINE_RUN" "$WINE_TEMPLATE" "$program" "$dist/Install.exe"
expect "the driven installation" $? 0

folder="$prefix/drive_c/Program Files/Тиктон"
installed=$(cat "$folder"/Tikton.{exe,hlp,cnt,gid} "$prefix/drive_c/windows/unTikton.exe" | wc -c)
expect_record "$prefix" $(((installed + 1023) / 1024))
for name in Tikton.exe Tikton.hlp Tikton.cnt Tikton.gid; do
  expect "$name installed" "$(cmp -s "$folder/$name" <(cabextract -q -p -F "$name" "$dist/Install.cab") && echo same)" same
done
expect "uninstaller in the Windows folder" "$(cmp -s "$prefix/drive_c/windows/unTikton.exe" \
  <(cabextract -q -p -F unTikton.exe "$dist/Install.cab") && echo same)" same

# The shortcuts the wizard offered ticked on this system (all-users Programs menu, Quick Launch) and the
# user's desktop, which the run ticked.
user="$prefix/drive_c/users/$(id -un)"
links=(
  "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Тиктон.lnk"
  "$user/AppData/Roaming/Microsoft/Internet Explorer/Quick Launch/Тиктон.lnk"
  "$user/Desktop/Тиктон.lnk"
)
field() { lnkinfo -c windows-1251 "$1" 2>/dev/null | sed -n "s/^\t$2[[:space:]]*: //p"; }
for link in "${links[@]}"; do
  expect "$link" "$(field "$link" "Local path")" 'C:\Program Files\Тиктон\Tikton.exe'
  expect "$link" "$(field "$link" "Working directory")" 'C:\Program Files\Тиктон\'
  expect "$link" "$(field "$link" "Description")" 'Сообщает о наступлении определенного момента времени.'
done
expect "shortcuts made" "$(find "$prefix/drive_c" -name 'Тиктон.lnk' | wc -l)" "${#links[@]}"

report kit
