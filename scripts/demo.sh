#!/usr/bin/env bash
# Runs the real program against a local stand-in of the operator's gateway: in a
# private network namespace where every IPv4 address is local, an SMTP server listens
# on port 25, so the program's built-in relay address reaches it and nothing leaves
# the machine. Each message the stand-in takes is printed here. Closing the window
# stops the stand-in.
# usage: scripts/demo.sh [path/to/tallimo]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tallimo=$(realpath "${1:-$top/build/tallimo}")
if [ "${DEMO_ISOLATED:-}" != 1 ]; then
  DEMO_ISOLATED=1 exec "$top/scripts/in_isolated_network.sh" "$0" "$tallimo"
fi

/usr/bin/python3 "$top/demo/gateway_standin.py" --host 0.0.0.0 --port 25 | grep --line-buffered -v '^listening' &
standin=$!
trap 'kill $(jobs -p) 2>/dev/null || true; wait' EXIT
until (exec 3<>/dev/tcp/127.0.0.1/25) 2>/dev/null; do sleep 0.1; done

cat <<TEXT
Stand-in gateway listening at the relay address on port 25 (private network).
Numbers ending in 0000 are refused; numbers ending in 9999 are hung up on.
Close the Tallimo window to stop.
TEXT
"$tallimo" || true
