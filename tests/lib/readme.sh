# Rewriting a generated section of the README, for test scripts (sourced).
# replace_section README NAME TEXT: puts TEXT between <!-- NAME --> and <!-- /NAME -->.
replace_section() {
  awk -v name="$2" -v text="$3" '
    $0 == "<!-- " name " -->" { print; print text; skipping = 1; next }
    $0 == "<!-- /" name " -->" { skipping = 0 }
    !skipping { print }' "$1" > "$1.new" && mv "$1.new" "$1"
}
