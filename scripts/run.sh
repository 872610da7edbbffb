#!/usr/bin/env bash
# Runs the launcher under Wine in a session of its own (build/run-session: its own prefix and
# HOME; Xvfb unless a display is there) against the local reference server on 127.0.0.1:18620
# (the build's default addresses) and leaves a screenshot in build/screenshots/run.png. On a
# display of its own it waits until the player quits; under Xvfb it ends after the screenshot.
# Extra arguments go to the launcher; RADURE_DEVSERVER_OPTIONS go to the server (for example
# "--answer update --file path/to/newer/Radure_YV.exe").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null

# The shipped build is PE32; where this machine's Wine cannot run 32-bit code, the x86_64 build
# of the same sources stands in.
preset=windows
/usr/lib/wine/wine --version >/dev/null 2>&1 || preset=windows-x64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Radure_YV >/dev/null

session=$PWD/build/run-session
server=$PWD/build/run-server
[ -n "${DISPLAY:-}" ] && export RADURE_USE_DISPLAY=1
# shellcheck disable=SC2086
python3 devserver/radure_devserver.py --port 18620 --request-log "$server.log" ${RADURE_DEVSERVER_OPTIONS:-} &
server_pid=$!
scripts/wine-session start "$session"
trap 'kill $server_pid 2>/dev/null || true; scripts/wine-session stop "$session"' EXIT
export RADURE_WINE_SESSION=$session

mkdir -p build/screenshots
scripts/wine-run "build/$preset/Radure_YV.exe" "$@" &
launcher=$!
sleep "${RADURE_RUN_SECONDS:-10}"
# shellcheck source=/dev/null
DISPLAY=$(. "$session/env"; echo "$DISPLAY") import -window root build/screenshots/run.png
echo "screenshot: build/screenshots/run.png"
if [ "${RADURE_USE_DISPLAY:-}" = 1 ]; then
  # On a real display the player quits from the login window (close button, Alt+F4).
  wait "$launcher" || true
fi
