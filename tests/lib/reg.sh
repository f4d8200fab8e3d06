# Reading the registry of a Wine prefix with Wine's own reg tool, for test scripts (sourced).
# reg_values PREFIX KEY: every value of the key as "name|type|data", in UTF-8, sorted.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env"
reg_values() {
  (wine_env "$1" && "$wine" reg query "$2" 2>/dev/null) \
    | iconv -f cp866 -t utf-8 | tr -d '\r' \
    | sed -n 's/^    \(.*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1|\2|\3/p; s/^    \(.*\)    \(REG_[A-Z_]*\)$/\1|\2|/p' \
    | LC_ALL=C sort
}

checks=0
failures=0
# expect_values PREFIX KEY EXPECTED: the key holds exactly these lines.
expect_values() {
  local actual
  actual=$(reg_values "$1" "$2")
  checks=$((checks + 1))
  if [ "$actual" != "$(printf '%s\n' "$3" | LC_ALL=C sort)" ]; then
    echo "FAIL $2"; echo "  actual:"; echo "$actual" | sed 's/^/    /'; echo "  expected:"; echo "$3" | sed 's/^/    /'
    failures=$((failures + 1))
  fi
}
# expect TEXT ACTUAL EXPECTED
expect() {
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}
# expect_record PREFIX KILOBYTES: the record of an installation into C:\Program Files\Тиктон, value by
# value, KILOBYTES being the installed size the Uninstall entry gives.
expect_record() {
  expect_values "$1" 'HKLM\Software\Vantorel\Тиктон' \
'(По умолчанию)|REG_SZ|Внимание!!! Изменение данных в этом разделе может сделать невозможным удаление Тиктона.
InstallDir|REG_SZ|C:\Program Files\Тиктон\
InstDirExisted|REG_SZ|C:\Program Files\
InstVersion|REG_DWORD|0x340'
  expect_values "$1" 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Тиктон' \
'DisplayName|REG_SZ|Тиктон
UninstallString|REG_SZ|C:\windows\unTikton.exe
DisplayVersion|REG_SZ|3.40
Publisher|REG_SZ|Vantorel
DisplayIcon|REG_SZ|C:\Program Files\Тиктон\Tikton.exe
InstallLocation|REG_SZ|C:\Program Files\Тиктон
EstimatedSize|REG_DWORD|'"$(printf '0x%x' "$2")"
  expect_values "$1" 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Tikton.exe' \
'(По умолчанию)|REG_SZ|C:\Program Files\Тиктон\Tikton.exe'
  expect "help value" "$(reg_values "$1" 'HKLM\Software\Microsoft\Windows\Help' | grep '^Tikton.hlp|')" \
    'Tikton.hlp|REG_SZ|C:\Program Files\Тиктон'
}

report() {  # name
  echo "$1: $((checks - failures)) passed, $failures failed"
  [ $failures = 0 ]
}
