#!/usr/bin/env bash
# The Quick start demo, headless: scripts/demo.sh runs the real program against the
# gateway stand-in; one message sent through the window must show up in the
# stand-in's printed record, a hang-up, a refused subscriber and a number too short must
# show their boxes, and closing the window must leave nothing running.
# usage: e2e_demo.sh path/to/tallimo output-folder path/to/window_layout
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tallimo=$(realpath "$1")
out=$(realpath -m "$2")
layout=$(realpath "$3")
mkdir -p "$out"
source "$here/lib.sh"

start_display
# Marks the demo and all it starts, so that only they are looked for at the end, however
# many other stand-ins run on this machine.
mark="tallimo-e2e-demo-$$-$RANDOM"
TALLIMO_E2E_MARK=$mark "$here/../../scripts/demo.sh" "$tallimo" > "$out/demo.log" 2>&1 &
demo=$!
pids+=($demo)

window=$(wait_window "Tallimo v.1.0") || fail "the demo window did not appear"
click_control Option1
type_number 1234567
click_control txtMessage
xdotool type --delay 30 "Демо: всё видно"
click_control cmdSend
box=$(wait_window "^Tallimo$") || fail "no success box"
close_box "$box" "^Tallimo$"

type_number 5559999            # the stand-in hangs up on this one
click_control cmdSend
box=$(wait_window "^Winsock Error$") || fail "no socket error box for the hang-up"
close_box "$box" "^Winsock Error$"

type_number 1230000            # the gateway knows no such subscriber
click_control cmdSend
box=$(wait_window "^Сообщение не отправлено") || fail "no refusal box for an unknown subscriber"
close_box "$box" "^Сообщение не отправлено"

type_number 12345              # too short: refused before anything is sent
click_control cmdSend
box=$(wait_window "^Tallimo$") || fail "no box for a number too short"
close_box "$box" "^Tallimo$"

for _ in $(seq 50); do grep -q "end of message" "$out/demo.log" && break; sleep 0.1; done
for line in "HELO       0000000" "MAIL FROM  0000000@sms.kyivstar.net" \
            "RCPT TO    380671234567@sms.kyivstar.net" "Демо: всё видно" "hung up on RCPT TO:380675559999" \
            "refused RCPT TO:380671230000@sms.kyivstar.net (numbers ending in 0000"; do
  grep -qF "$line" "$out/demo.log" || { cat "$out/demo.log"; fail "the demo did not print: $line"; }
done

xdotool windowkill "$window"
for _ in $(seq 100); do kill -0 "$demo" 2>/dev/null || break; sleep 0.1; done
kill -0 "$demo" 2>/dev/null && fail "the demo kept running after its window closed"
left=$(grep -lsz "^TALLIMO_E2E_MARK=$mark\$" /proc/[0-9]*/environ || true)
[ -z "$left" ] || fail "the demo left running: $(for f in $left; do tr '\0' ' ' < "${f%environ}cmdline"; echo; done)"
echo "e2e demo: message printed by the stand-in, hang-up reported, nothing left running"
