#!/bin/sh
# Renders Markdown chapters into one HTML page: render-doc.sh OUT.html TITLE CHAPTER.md...
# Links to other chapters (x.md) become links to their pages (x.html).
set -eu
out=$1
title=$2
shift 2
tmp="$out.tmp"
{
    cat <<HEAD
<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8">
<title>$title</title>
<style>
body { font-family: "DejaVu Sans", sans-serif; max-width: 60em; margin: 1em auto; padding: 0 1em;
       line-height: 1.45; color: #222; }
h1, h2, h3 { color: #3a2f1f; }
h1 { border-bottom: 2px solid #b89a62; }
code, pre { font-family: "DejaVu Sans Mono", monospace; font-size: 85%; }
pre { background: #f4efe4; padding: 0.5em; overflow-x: auto; }
table { border-collapse: collapse; margin: 0.5em 0; }
th, td { border: 1px solid #999; padding: 2px 6px; vertical-align: top; }
th { background: #eee3cc; }
img { max-width: 100%; }
.fail { color: #b3261e; font-weight: bold; }
</style></head><body>
HEAD
    for chapter in "$@"; do
        cmark-gfm --unsafe -e table -e autolink -e strikethrough "$chapter" |
            sed -E -e 's/href="([^":#]*)\.md(#[^"]*)?"/href="\1.html\2"/g' \
                -e 's/<table>/<table width="100%" cellspacing="0">/'
    done
    echo '</body></html>'
} >"$tmp"
mv "$tmp" "$out"
