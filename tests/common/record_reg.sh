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

source "$(dirname "$0")/../lib/reg.sh"

# record_test gives 1025 bytes: a part of a kilobyte counts as one.
expect_record "$prefix" 2
# A reinstallation rewrites the record but keeps the folder pair of the first installation.
"$WINE_RUN" "$WINE_TEMPLATE" "$program" reinstall || exit 1
expect_record "$prefix" 2

report reg
