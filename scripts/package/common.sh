# What the packaging scripts share: the version, and steps that say what they do in one
# line, keep their output in a log and show it only when they fail.
# shellcheck shell=bash
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist=$root/dist
# Started from make, a build's make would announce every folder it enters.
unset MAKEFLAGS MFLAGS MAKELEVEL

# The version lives in the project() line of the top CMakeLists.txt alone.
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "Error: no VERSION in the project() line of $root/CMakeLists.txt; add one and run again." >&2; exit 1; }

# A build's percentage on one line that overwrites itself, where there is a terminal.
progress() {
  if [ -t 1 ]; then
    sed -un 's/^\[ *\([0-9]*%\)\].*/\1/p' | while read -r percent; do printf '\r  %s ' "$percent"; done
    printf '\r      \r'
  else
    cat >/dev/null
  fi
}

# step "WHAT" LOG COMMAND...: prints WHAT, runs the command into LOG (showing a build's
# progress); on failure shows the end of LOG and fails.
step() {
  local what=$1 log=$2
  shift 2
  echo "$what ..."
  mkdir -p "$(dirname "$log")"
  if ! "$@" 2>&1 | tee "$log" | progress; then  # pipefail: the command's failure counts
    tail -n 30 "$log" >&2
    echo "Error: $what failed (the messages are above and in $log); fix what they name and run make package again." >&2
    exit 1
  fi
}

# need PROGRAM PACKAGE: fails in one line when PROGRAM is not there.
need() {
  command -v "$1" >/dev/null ||
    { echo "Error: $1 is missing; install $2 (scripts/install-deps package does) and run make package again." >&2; exit 1; }
}
