#!/usr/bin/env bash
# Photographs the window with a message typed in, for the README: docs/screenshot.png.
# Runs in an isolated network namespace like the tests, though nothing is sent.
set -euo pipefail
cd "$(dirname "$0")/.."
fc-list -q "Liberation Sans" || { echo "the window is drawn for Liberation Sans: install fonts-liberation2" >&2; exit 1; }
if [ "${SCREENSHOT_ISOLATED:-}" != 1 ]; then
  SCREENSHOT_ISOLATED=1 exec scripts/in_isolated_network.sh "$0" "$@"
fi
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
display_file=$(mktemp)
exec 3> "$display_file"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
build/tallimo 2>/dev/null &
pids+=($!)
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name "Tallimo v.1.0" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
xdotool mousemove --window "$window" 72 28 click 1
xdotool mousemove --window "$window" 72 105 click 1 && xdotool type --delay 20 "1234567"
xdotool mousemove --window "$window" 292 68 click 1 && xdotool type --delay 20 "Привет! Встречаемся в 18:00 у метро."
sleep 0.5
import -window "$window" docs/screenshot.png
echo "docs/screenshot.png"
