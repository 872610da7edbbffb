#!/usr/bin/env bash
# Runs the launcher under Wine in a session of its own (build/run-session: its own prefix and
# HOME; Xvfb unless a display is there), waits for it, and leaves a screenshot in
# build/screenshots/run.png. Extra arguments go to the launcher.
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
[ -n "${DISPLAY:-}" ] && export RADURE_USE_DISPLAY=1
scripts/wine-session start "$session"
trap 'scripts/wine-session stop "$session"' EXIT
export RADURE_WINE_SESSION=$session

mkdir -p build/screenshots
scripts/wine-run "build/$preset/Radure_YV.exe" "$@" &
launcher=$!
sleep "${RADURE_RUN_SECONDS:-10}"
# shellcheck source=/dev/null
DISPLAY=$(. "$session/env"; echo "$DISPLAY") import -window root build/screenshots/run.png
echo "screenshot: build/screenshots/run.png"
wait "$launcher" || true
