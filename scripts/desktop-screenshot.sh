#!/usr/bin/env bash
# Takes the screenshot of the desktop program in docs/: the main window with the soil layer table
# and the drilled-shaft properties dialog, on a virtual X screen with a small window manager so
# the main window's caption shows. Needs the dev build; installs twm and its fonts when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in twm xfonts-base xvfb xauth; do
    dpkg -s "$p" >/dev/null 2>&1 || { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$p" >/dev/null; }
done
cmake --build --preset dev --target test_frontend_desktop >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/twmrc" <<'RC'
TitleFont "-misc-fixed-bold-r-normal--18-*-*-*-*-*-iso8859-1"
MenuFont "fixed"
IconFont "fixed"
ResizeFont "fixed"
IconManagerFont "fixed"
RandomPlacement
NoGrabServer
Color { TitleBackground "gray85" TitleForeground "black" BorderColor "gray40" }
RC
cat >"$work/run.sh" <<RUN
#!/bin/sh
twm -f "$work/twmrc" >/dev/null 2>&1 &
sleep 2
KORVEN_SCREENSHOT="$PWD/docs/desktop-main-window.png" build/dev/bin/test_frontend_desktop screenshot
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x900x24" "$work/run.sh" | grep -E 'PASS|FAIL' | grep screenshot
echo "docs/desktop-main-window.png"
