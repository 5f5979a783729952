#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs an example analysis; prints where the report is and
# the most efficient shaft it found.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
example=${1:-examples/bridge-clay-design-load.kvd}
build/dev/bin/korven run --quiet "$example"
report="${example%.*}.kvo"
echo
echo "Short result (from $report):"
if grep -q 'THE MOST EFFICIENT SHAFT' "$report"; then
    sed -n '/THE MOST EFFICIENT SHAFT/,$p' "$report" | grep -v '^ *$'
else
    tail -n 20 "$report"
fi
