# The README's generated sections, for test scripts (sourced). A test never writes the README: it
# leaves the section in the build tree and fails when the README's copy differs; scripts/update-readme
# copies the sections in.
# readme_section README NAME TEXT OUTDIR: writes TEXT to OUTDIR/NAME.md; false when the README's text
# between <!-- NAME --> and <!-- /NAME --> is not TEXT.
readme_section() {
  mkdir -p "$4"
  printf '%s\n' "$3" > "$4/$2.md"
  local current
  current=$(awk -v name="$2" '$0 == "<!-- /" name " -->" { inside = 0 } inside { print }
                             $0 == "<!-- " name " -->" { inside = 1 }' "$1")
  if [ "$current" != "$3" ]; then
    echo "FAIL the README's $2 section differs from $4/$2.md (scripts/update-readme copies it in):"
    diff <(echo "$current") <(echo "$3") | sed 's/^/  /'
    return 1
  fi
}

# replace_section README NAME FILE: puts FILE's text between the README's markers.
replace_section() {
  awk -v name="$2" -v file="$3" '
    $0 == "<!-- " name " -->" { print; while ((getline line < file) > 0) print line; skipping = 1; next }
    $0 == "<!-- /" name " -->" { skipping = 0 }
    !skipping { print }' "$1" > "$1.new" && mv "$1.new" "$1"
}
