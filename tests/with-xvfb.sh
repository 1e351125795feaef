#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server of 1280 x 1024 x 24
# and stops the server afterwards. The command's exit status is this script's.
# Servers started side by side and left to pick the first free display can end
# up sharing a number, so each run starts from a number of its own. The server
# never starts over (-noreset): one does when its last client leaves, and drops
# a client connecting meanwhile, such as a game started right after another.
set -u
fdfile=$(mktemp)
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; wait 2>/dev/null; rm -f "$fdfile"' EXIT
base=$((100 + $$ % 800))
for attempt in $(seq 0 19); do
  display=$((base + attempt * 37 % 800))
  : >"$fdfile"
  Xvfb ":$display" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    { [ -s "$fdfile" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; } && break
    sleep 0.1
  done
  [ -s "$fdfile" ] && break
  kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=
done
if [ -z "$xvfb_pid" ]; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n1 "$fdfile")"
"$@"
