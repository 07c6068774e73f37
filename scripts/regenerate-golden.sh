#!/usr/bin/env bash
# Records the outputs of `tarnwick-cli analyze --json` that the byte-identical
# check (tests/golden/analyze-golden.sh, run by ctest) compares with.
# usage: scripts/regenerate-golden.sh --intended-change [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

cat >&2 <<'WARNING'
################################################################################
#  REGENERATING THE GOLDEN OUTPUTS OF `tarnwick-cli analyze --json`.            #
#                                                                              #
#  Do this ONLY for a change that is MEANT to change the program's numbers     #
#  (a new indicator, a fixed formula), and say so in the commit. A change for  #
#  speed or tidiness must leave every output byte-identical: when the check    #
#  fails after one, the change is wrong, not the recorded outputs.             #
################################################################################
WARNING
if [ "${1:-}" != --intended-change ]; then
  echo "Nothing written. Run it again with --intended-change to record new outputs." >&2
  exit 2
fi
build_dir=${2:-build}
cli="$build_dir/src/cli/tarnwick-cli"
[ -x "$cli" ] || { echo "No program at $cli: build it first." >&2; exit 1; }
tests/golden/analyze-golden.sh write "$cli"
