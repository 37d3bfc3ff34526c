#!/usr/bin/env bash
# Photographs the window with a message typed in, for the README: docs/screenshot.png.
# Runs in an isolated network namespace like the tests, though nothing is sent.
set -euo pipefail
cd "$(dirname "$0")/.."
fc-list -q "Liberation Sans" || { echo "the window is drawn for Liberation Sans: install fonts-liberation2" >&2; exit 1; }
out=$(mktemp -d)
layout=build/tests/window_layout
source tests/e2e/lib.sh
if [ "${SCREENSHOT_ISOLATED:-}" != 1 ]; then
  start_display # out here, as the end-to-end tests do
  SCREENSHOT_ISOLATED=1 scripts/in_isolated_network.sh "$0" "$@"
  exit
fi
build/tallimo 2>/dev/null &
pids+=($!)
window=$(wait_window "Tallimo v.1.0") || fail "the window did not appear"
click_control Option1
click_control Text1 && xdotool type --delay 20 "1234567"
click_control txtMessage && xdotool type --delay 20 "Привет! Встречаемся в 18:00 у метро."
sleep 0.5
import -window "$window" docs/screenshot.png
echo "docs/screenshot.png"
