#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs an example analysis.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
example=${1:-examples/bridge-clay-design-load.kvd}
build/dev/bin/korven run --quiet "$example"
report="${example%.*}.kvo"
echo
echo "Short result (end of $report):"
tail -n 25 "$report"
