#!/usr/bin/env bash
# Retakes every picture of the documentation in docs/ under a virtual X screen: the main window
# (scripts/desktop-screenshot.sh), the combined capacity graph, the load-settlement graph with its
# bounds and the elevation view (graph_screenshots). Needs the dev build.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/desktop-screenshot.sh
cmake --build --preset dev --target graph_screenshots >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
xvfb-run -a -s "-screen 0 1280x900x24" build/dev/bin/graph_screenshots "$work" 2>/dev/null
for f in graph-combined-capacity.png graph-load-settlement-bounds.png elevation-view.png; do
    cp "$work/$f" "docs/$f"
    echo "docs/$f"
done
