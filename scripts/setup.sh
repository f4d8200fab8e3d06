#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need; quick when nothing is missing.
set -euo pipefail

# The shipped programs are 32-bit and run under 32-bit Wine; every host also runs an x86-64 build of them
# under 64-bit Wine, which is the only mode of a host that cannot execute 32-bit code (scripts/host-mode).
mode=$("$(dirname "$0")/host-mode")
case $mode in
  x86) echo "setup: this host runs 32-bit code: the tests run the shipped 32-bit programs under 32-bit Wine, then an x86-64 build under 64-bit Wine" ;;
  *)   echo "setup: this host cannot run 32-bit code: the tests run an x86-64 build under 64-bit Wine" ;;
esac
wine_packages=(wine wine64 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev)
[ "$mode" = x86 ] && wine_packages+=(wine32:i386)
# python3-unicorn (DeleteMe.com's CPU emulator) imports distutils and pkg_resources, which a minimal
# Debian 12 lacks and the package does not pull in.
packages=(
  cmake make
  g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 mingw-w64-i686-dev
  "${wine_packages[@]}"
  xvfb xauth x11-apps
  nasm gcab cabextract nsis dosbox liblnk-utils imagemagick
  fonts-dejavu-core fonts-wine locales python3 python3-unicorn python3-distutils python3-pkg-resources
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done

locale_ready() { locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; }

if [ ${#missing[@]} -eq 0 ] && locale_ready; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these Debian packages are missing: ${missing[*]:-none}" >&2
  locale_ready || echo "setup: the ru_RU.UTF-8 locale is not generated" >&2
  echo "setup: run this script as root (or with sudo) to install them" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$mode" = x86 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale_ready; then
  echo "setup: generating the ru_RU.UTF-8 locale"
  sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
