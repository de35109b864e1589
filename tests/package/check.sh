# Sourced by the package tests: `expect WHAT ACTUAL EXPECTED` compares and
# counts; `finish` prints the tally and fails the test if anything failed.
passed=0
failed=0
expect() {
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAILED: %s\n  got:      %s\n  expected: %s\n' "$1" "$2" "$3"
  fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
