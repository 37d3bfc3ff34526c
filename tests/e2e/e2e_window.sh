#!/usr/bin/env bash
# The real tallimo under Xvfb, driven with xdotool as a person would, sending through
# a real SMTP server that listens on port 25 of the operator's relay address inside an
# isolated network namespace.
# usage: e2e_window.sh path/to/tallimo output-folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${E2E_ISOLATED:-}" != 1 ]; then
  E2E_ISOLATED=1 exec "$here/in_isolated_network.sh" "$0" "$@"
fi
tallimo=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
rm -f "$out/server.jsonl"

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; import -window root "$out/failure.png" 2>/dev/null || true; exit 1; }

# Waits up to 15 s for a window whose name matches the pattern; prints its id.
wait_window() {
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
# Clicks the point of the window given in twips, as the layout places controls.
click_twips() {
  xdotool mousemove --window "$window" $(( $1 / 15 )) $(( $2 / 15 )) click 1
  sleep 0.2
}
close_box() { xdotool windowfocus --sync "$1" key Return; wait_gone "$2" || fail "box '$2' stayed open"; }

/usr/bin/python3 "$here/../servers/recording_smtpd.py" --host 0.0.0.0 --port 25 > "$out/server.jsonl" &
pids+=($!)

exec 3> "$out/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$out/display")"
for _ in $(seq 100); do grep -q listening "$out/server.jsonl" 2>/dev/null && break; sleep 0.1; done

"$tallimo" &
pids+=($!)
window=$(wait_window "Tallimo v.1.0") || fail "the window did not appear"
sleep 0.5
import -window root "$out/window-start.png"

click_twips 1087 427           # Option1, contract subscriber
click_twips 1087 1582          # Text1
xdotool type --delay 30 "1234567"
click_twips 4387 1027          # txtMessage
xdotool type --delay 30 "Привет из Tallimo"
sleep 0.3
import -window root "$out/window-composed.png"
click_twips 3247 2587          # cmdSend

box=$(wait_window "^Tallimo$") || fail "no success box"
import -window root "$out/window-sent.png"
close_box "$box" "^Tallimo$"
/usr/bin/python3 - "$out/server.jsonl" <<'PY' || fail "the server did not get the message"
import json, sys
records = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")]
assert len(records) == 1, records
r = records[0]
assert r["helo"] == "0000000", r
assert r["mail_from"] == "0000000@sms.kyivstar.net", r
assert r["rcpt_tos"] == ["380671234567@sms.kyivstar.net"], r
assert r["data"] == "Subject:\r\n\r\nПривет из Tallimo\r\n\r\n\r\n", r
PY

# A number the server refuses, then the same text to a good number.
click_twips 1087 1582
xdotool key ctrl+a BackSpace
xdotool type --delay 30 "1230000"
click_twips 3247 2587
box=$(wait_window "^Сообщение не отправлено") || fail "no failure box"
import -window root "$out/window-refused.png"
close_box "$box" "^Сообщение не отправлено"
click_twips 1087 1582
xdotool key ctrl+a BackSpace
xdotool type --delay 30 "7654321"
click_twips 3247 2587
box=$(wait_window "^Tallimo$") || fail "no success box after the retry"
close_box "$box" "^Tallimo$"
/usr/bin/python3 - "$out/server.jsonl" <<'PY' || fail "the retry did not reach the server"
import json, sys
records = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")]
assert len(records) == 2, records
assert records[1]["rcpt_tos"] == ["380677654321@sms.kyivstar.net"], records[1]
assert records[1]["data"] == "Subject:\r\n\r\nПривет из Tallimo\r\n\r\n\r\n", records[1]
PY
echo "e2e: window sent, refused and retried; screenshots in $out"
