# The checks' way of saying how they went, sourced by the package checks once $work is set:
# ok WHAT counts a check that passed, fail WHAT ends the script with the count, and
# step WHAT COMMAND... runs a command quietly and shows its output only when it fails.
passed=0
fail() {
  echo "FAIL: $*"
  echo "$passed passed, 1 failed"
  exit 1
}
ok() {
  echo "ok: $*"
  passed=$((passed + 1))
}
step() {
  local what=$1
  shift
  "$@" >"$work/log" 2>&1 || {
    cat "$work/log"
    fail "$what"
  }
}
