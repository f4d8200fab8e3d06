#!/usr/bin/env bash
# Writes the installation record with record_test (a fresh installation, then a reinstallation) and
# reads every key back with Wine's own reg tool, comparing names, types and texts exactly.
set -u
program=${1:?usage: record_reg.sh record_test.exe}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
rmdir "$prefix"
export WINE_PREFIX=$prefix
"$WINE_RUN" "$WINE_TEMPLATE" "$program" fresh || exit 1

failures=0
checks=0
query() {  # key: every value line as "name|type|data", in code page 1251 turned into UTF-8
  WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=ru_RU.UTF-8 wine reg query "$1" 2>/dev/null \
    | iconv -f cp866 -t utf-8 | tr -d '\r' \
    | sed -n 's/^    \(.*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1|\2|\3/p; s/^    \(.*\)    \(REG_[A-Z_]*\)$/\1|\2|/p'
}
expect() {  # key, expected lines
  local actual
  actual=$(query "$1" | LC_ALL=C sort)
  checks=$((checks + 1))
  if [ "$actual" != "$(printf '%s\n' "$2" | LC_ALL=C sort)" ]; then
    echo "FAIL $1"; echo "  actual:"; echo "$actual" | sed 's/^/    /'; echo "  expected:"; echo "$2" | sed 's/^/    /'
    failures=$((failures + 1))
  fi
}

check_record() {
  expect 'HKLM\Software\Vantorel\Тиктон' \
'(По умолчанию)|REG_SZ|Внимание!!! Изменение данных в этом разделе может сделать невозможным удаление Тиктона.
InstallDir|REG_SZ|C:\Program Files\Тиктон\
InstDirExisted|REG_SZ|C:\Program Files\
InstVersion|REG_DWORD|0x340'
  expect 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Тиктон' \
'DisplayName|REG_SZ|Тиктон
UninstallString|REG_SZ|C:\windows\unTikton.exe'
  expect 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Tikton.exe' \
'(По умолчанию)|REG_SZ|C:\Program Files\Тиктон\Tikton.exe'
  local help
  help=$(query 'HKLM\Software\Microsoft\Windows\Help' | grep '^Tikton.hlp|')
  checks=$((checks + 1))
  if [ "$help" != 'Tikton.hlp|REG_SZ|C:\Program Files\Тиктон' ]; then
    echo "FAIL help value: '$help'"; failures=$((failures + 1))
  fi
}

check_record
# A reinstallation rewrites the record but keeps the folder pair of the first installation.
"$WINE_RUN" "$WINE_TEMPLATE" "$program" reinstall || exit 1
check_record

echo "reg: $((checks - failures)) passed, $failures failed"
[ $failures = 0 ]
