# Shared by the end-to-end tests: an Xvfb display, waiting for windows, clicking
# controls where the layout puts them.

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

# No session bus: the program must not start one of its own (dbus-launch) that outlives it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY. Start it outside any private network
# namespace: an X server inside one does not see the others' sockets and may take a
# display that is in use.
start_display() {
  local display_file="$out/display"
  rm -f "$display_file"
  exec 3> "$display_file"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
  # A Russian keyboard, as the program's users have: xdotool then types Cyrillic with the
  # keys that carry it instead of remapping a spare key for each letter, which races
  # with the program reading the changed map and drops letters now and then.
  setxkbmap -layout ru
}

# Waits up to 15 s for a shown window whose name matches the pattern; prints its id.
wait_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Sets point to the centre of a control of $window, "x y", where the window itself puts
# it ($layout: the window_layout program, asked once).
centre_of() {
  [ -n "${positions:-}" ] || positions=$(QT_QPA_PLATFORM=offscreen "$layout") || fail "no layout"
  point=$(sed -n "s/^$1=\"\(.*\)\"$/\1/p" <<< "$positions")
  [ -n "$point" ] || fail "no control $1"
}

# Clicks the middle of a control of $window, once or the given number of times.
click_control() {
  centre_of "$1"
  xdotool mousemove --window "$window" $point click --repeat "${2:-1}" --delay 80 1
  sleep 0.2
}

close_box() { xdotool windowfocus --sync "$1" key Return; wait_gone "$2" || fail "box '$2' stayed open"; }

# Types a number into the emptied phone box, a key each 30 ms or each $2 ms.
type_number() { click_control Text1; xdotool key ctrl+a BackSpace; xdotool type --delay "${2:-30}" "$1"; }
