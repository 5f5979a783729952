#!/usr/bin/env bash
# Takes the pictures of the desktop program in docs/ on a virtual X screen with a small window
# manager (openbox), so windows have their title bars and are placed as on a desktop: the main
# window with the soil layer table and two data dialogs cascaded, the combined capacity graph
# and the load-settlement graph with their legends, and the elevation view. Needs the dev build;
# installs openbox, the virtual X server and the fonts when missing. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in openbox xvfb xauth fonts-liberation fonts-dejavu-core; do
    dpkg -s "$p" >/dev/null 2>&1 || { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$p" >/dev/null; }
done
cmake --build --preset dev --target test_frontend_desktop graph_screenshots >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/run.sh" <<RUN
#!/bin/sh
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work"
openbox >/dev/null 2>&1 &
sleep 2
KORVEN_SCREENSHOT="$PWD/docs/desktop-main-window.png" build/dev/bin/test_frontend_desktop screenshot
build/dev/bin/graph_screenshots "$work/graphs" >/dev/null 2>&1
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh" | grep -E 'PASS|FAIL' | grep screenshot
for f in graph-combined-capacity.png graph-load-settlement-bounds.png elevation-view.png; do
    cp "$work/graphs/$f" docs/
done
ls docs/*.png
