#!/usr/bin/env bash
# Takes the README's picture of the review page: runs `tessan report` on a chip directory and
# photographs the page in headless Chromium.
# Usage: scripts/screenshot.sh TESSAN_BINARY CHIP_DIR OUTPUT_PNG
set -euo pipefail

tessan=$1 chip=$2 output=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy, so that the page names no checkout's path.
cp -r "$chip" "$work/"
"$tessan" report "$work/$(basename "$chip")" --out "$work/page.html" >/dev/null
timeout -k 5 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
  --user-data-dir="$work/profile" --window-size=1280,1660 --screenshot="$work/shot.png" \
  "file://$work/page.html" >/dev/null 2>&1
mv "$work/shot.png" "$output"
echo "screenshot: $output"
