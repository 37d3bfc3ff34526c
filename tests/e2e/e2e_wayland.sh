#!/usr/bin/env bash
# The real tallimo on a Wayland desktop with no X server anywhere: weston's headless
# backend and Qt's Wayland platform. The window must reach the compositor under the
# desktop entry's name, with its caption and one fixed size, and draw itself.
# usage: e2e_wayland.sh path/to/tallimo output-folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${E2E_ISOLATED:-}" != 1 ]; then
  E2E_ISOLATED=1 exec "$here/../../scripts/in_isolated_network.sh" "$0" "$@"
fi
tallimo=$(realpath "$1")
out=$(realpath -m "$2")
rm -rf "$out" && mkdir -p "$out"

source "$here/lib.sh"

unset DISPLAY
XDG_RUNTIME_DIR=$(mktemp -d) # private, mode 0700, as Wayland requires
export XDG_RUNTIME_DIR WAYLAND_DISPLAY=tallimo-e2e
trap 'cleanup; rm -rf "$XDG_RUNTIME_DIR"' EXIT

# --debug lets weston-screenshooter take its picture.
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
  --width=640 --height=360 --idle-time=0 --debug > "$out/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start: $(cat "$out/weston.log")"

QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 "$tallimo" 2> "$out/wayland.log" &
app=$!
pids+=($app)
# Drawn: a buffer attached after the compositor's first configure was acknowledged.
drawn() { awk '/ack_configure/ {acked = 1} acked && /attach\(wl_buffer@/ {found = 1} END {exit !found}' "$out/wayland.log"; }
for _ in $(seq 150); do drawn && break; kill -0 $app 2>/dev/null || break; sleep 0.1; done
drawn || fail "the window was not drawn: $(tail -5 "$out/wayland.log")"

requests=$(grep -oE 'xdg_toplevel@[0-9]+\.set_(app_id|title|min_size|max_size)\(.*\)' "$out/wayland.log" \
  | sed 's/@[0-9]*//' | sort)
expected='xdg_toplevel.set_app_id("org.tallimo.Tallimo")
xdg_toplevel.set_max_size(442, 209)
xdg_toplevel.set_min_size(442, 209)
xdg_toplevel.set_title("Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)")'
[ "$requests" = "$expected" ] || fail "the window told the compositor: $requests"
sleep 0.5
kill -0 $app || fail "tallimo ended"
(cd "$out" && weston-screenshooter > /dev/null 2>&1 && mv wayland-screenshot-*.png window.png) || true
echo "e2e: the window on Wayland with its app id, caption and fixed size; logs in $out"
