# Sourced by the shell tests: what they share. `need TOOL...` ends the test
# when a tool is missing; `fail TEXT` counts a failed check; `finish NAME`
# prints the count and succeeds only when nothing failed.
failed=0
need() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "FAIL $tool is not installed (run: make deps)"; exit 1; }
  done
}
fail() {
  echo "FAIL $*"
  failed=$((failed + 1))
}
finish() {
  echo "$1: $failed failed"
  ((failed == 0))
}
