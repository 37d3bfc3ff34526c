#!/usr/bin/env bash
# The real tallimo under Xvfb, driven with xdotool as a person would, sending through
# a real SMTP server that listens on port 25 of the operator's relay address inside an
# isolated network namespace.
# usage: e2e_window.sh path/to/tallimo output-folder path/to/window_layout
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tallimo=$(realpath "$1")
out=$(realpath -m "$2")
layout=$(realpath "$3")
mkdir -p "$out"
source "$here/lib.sh"
if [ "${E2E_ISOLATED:-}" != 1 ]; then
  start_display # out here: an X server inside the namespace could take another's display
  E2E_ISOLATED=1 "$here/../../scripts/in_isolated_network.sh" "$0" "$@"
  exit
fi
rm -f "$out/server.jsonl"

# Started where there is no desktop (over ssh, say): one sentence and status 1, no abort,
# in the desktop's language, Russian for one the program does not speak.
while IFS='|' read -r locale sentence; do
  status=0
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale" \
    "$tallimo" 2>&1) || status=$?
  [ "$status" = 1 ] && [ "$said" = "$sentence" ] || fail "with no display in $locale: status $status, said: $said"
done <<'SENTENCES'
en_US.UTF-8|tallimo: needs a graphical session (X11 or Wayland), and none could be opened
uk_UA.UTF-8|tallimo: потрібен графічний сеанс (X11 або Wayland), а відкрити його не вдалося
C|tallimo: нужен графический сеанс (X11 или Wayland), а открыть его не удалось
de_DE.UTF-8|tallimo: нужен графический сеанс (X11 или Wayland), а открыть его не удалось
SENTENCES

/usr/bin/python3 "$here/../../demo/gateway_standin.py" --json --host 0.0.0.0 --port 25 > "$out/server.jsonl" &
pids+=($!)

for _ in $(seq 100); do grep -q listening "$out/server.jsonl" 2>/dev/null && break; sleep 0.1; done

"$tallimo" &
pids+=($!)
window=$(wait_window "Tallimo v.1.0") || fail "the window did not appear"
# A window manager may move, minimize and close it, never maximize; its class is the
# one the desktop entry names.
hints=$(xprop -id "$window" _MOTIF_WM_HINTS WM_CLASS)
[ "$hints" = '_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x2e, 0x3e, 0x0, 0x0
WM_CLASS(STRING) = "tallimo", "Tallimo"' ] || fail "window manager hints: $hints"
sleep 0.5
import -window root "$out/window-start.png"

click_control Option1           # contract subscriber
type_number 1234567
click_control txtMessage
xdotool type --delay 30 "Привет из Таллимо"
sleep 0.3
import -window root "$out/window-composed.png"
click_control cmdSend

box=$(wait_window "^Tallimo$") || fail "no success box"
import -window root "$out/window-sent.png"
# Return held a moment too long: the repeats after the box closes press nothing.
xdotool windowfocus --sync "$box" keydown Return
sleep 2
xdotool keyup Return
wait_gone "^Tallimo$" || fail "the success box stayed open"
sleep 0.5
/usr/bin/python3 - "$out/server.jsonl" <<'PY' || fail "the server did not get the message once"
import json, sys
records = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")]
assert len(records) == 1, records
r = records[0]
assert r["helo"] == "0000000", r
assert r["mail_from"] == "0000000@sms.kyivstar.net", r
assert r["rcpt_tos"] == ["380671234567@sms.kyivstar.net"], r
assert r["data"] == "Subject:\r\n\r\nПривет из Таллимо\r\n\r\n\r\n", r
PY

# A number the server refuses, then the same text to a good number.
type_number 1230000
click_control cmdSend
box=$(wait_window "^Сообщение не отправлено") || fail "no failure box"
import -window root "$out/window-refused.png"
# Held here too, where the focus goes back to «Послать»: not one Send more, so no box more.
xdotool windowfocus --sync "$box" keydown Return
sleep 2
xdotool keyup Return
wait_gone "^Сообщение не отправлено" || fail "the refusal box stayed open, or came again"
sleep 1
xdotool search --onlyvisible --name "^Сообщение не отправлено" >/dev/null && fail "a held Return sent again"
type_number 7654321
click_control cmdSend 2          # a double click sends once
box=$(wait_window "^Tallimo$") || fail "no success box after the retry"
close_box "$box" "^Tallimo$"
/usr/bin/python3 - "$out/server.jsonl" <<'PY' || fail "the retry did not reach the server"
import json, sys
records = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")]
assert len(records) == 2, records
assert records[1]["rcpt_tos"] == ["380677654321@sms.kyivstar.net"], records[1]
assert records[1]["data"] == "Subject:\r\n\r\nПривет из Таллимо\r\n\r\n\r\n", records[1]
PY

# A number as people say it, at an auto-typer's pace: read whole, never cut to seven.
type_number "+380 67 765 43 21" 2
click_control cmdSend
box=$(wait_window "^Tallimo$") || fail "no success box for a number typed as people say it"
close_box "$box" "^Tallimo$"

# A number dragged from the message box into the phone box is copied there, and the
# window still answers: Send goes.
click_control txtMessage
xdotool key ctrl+a BackSpace
xdotool type --delay 30 "0671112233"
xdotool key ctrl+a
centre_of txtMessage
read -r mx my <<< "$point"
centre_of Text1
read -r tx ty <<< "$point"
xdotool mousemove --window "$window" $((mx - 90)) $((my - 36)) mousedown 1
sleep 0.2
xdotool mousemove --window "$window" $((mx - 70)) $((my - 20))
sleep 0.1
xdotool mousemove --window "$window" "$tx" "$ty"
sleep 0.2
xdotool mouseup 1
sleep 0.5
import -window root "$out/window-dropped.png"
click_control cmdSend
box=$(wait_window "^Tallimo$") || fail "no success box after a drop from the message box"
close_box "$box" "^Tallimo$"
/usr/bin/python3 - "$out/server.jsonl" <<'PY' || fail "the typed and the dropped number did not reach the server whole"
import json, sys
records = [json.loads(l) for l in open(sys.argv[1]) if l.startswith("{")]
assert len(records) == 4, records
assert records[2]["rcpt_tos"] == ["380677654321@sms.kyivstar.net"], records[2]
assert records[3]["rcpt_tos"] == ["380671112233@sms.kyivstar.net"], records[3]
assert records[3]["data"] == "Subject:\r\n\r\n0671112233\r\n\r\n\r\n", records[3]
PY
echo "e2e: window sent once under a held Return, refused, retried with a double click, took a number typed as said and one dropped from the message box; screenshots in $out"
