# Shared by the end-to-end tests: an Xvfb display, waiting for windows, clicking
# controls where the layout puts them.

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

# Starts Xvfb on a free display and exports DISPLAY.
start_display() {
  local display_file="$out/display"
  rm -f "$display_file"
  exec 3> "$display_file"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
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

# Clicks the point of $window given in twips (15 twips a pixel at 96 dpi).
click_twips() {
  xdotool mousemove --window "$window" $(( $1 / 15 )) $(( $2 / 15 )) click 1
  sleep 0.2
}

close_box() { xdotool windowfocus --sync "$1" key Return; wait_gone "$2" || fail "box '$2' stayed open"; }

# Points of the controls, in twips.
OPTION1="1087 427"; TEXT1="1087 1582"; MESSAGE="4387 1027"; SEND="3247 2587"

type_number() { click_twips $TEXT1; xdotool key ctrl+a BackSpace; xdotool type --delay 30 "$1"; }
