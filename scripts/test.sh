#!/usr/bin/env bash
# Builds everything and runs the three test tiers:
#   native       the window-free logic with the host compiler
#   windows      the shipped PE32 launcher (its image checked; the Wine tiers too where 32-bit Wine runs)
#   windows-x64  the same sources for x86_64: the Windows tests and the end-to-end tests under Wine
# Ends with one summary line over all tiers.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

passed=0 failed=0 status=0
for preset in native windows windows-x64; do
  echo "== $preset"
  mkdir -p build
  configure_log=build/configure-$preset.log
  if ! cmake --preset "$preset" >"$configure_log" 2>&1; then
    cat "$configure_log"
    echo "$preset: configuration failed"
    status=1 failed=$((failed + 1))
    continue
  fi
  if ! cmake --build --preset "$preset"; then
    echo "$preset: build failed"
    status=1 failed=$((failed + 1))
    continue
  fi
  log=$(mktemp)
  ctest --preset "$preset" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")
  bad=$(sed -E 's/.*, ([0-9]+) tests failed.*/\1/' <<<"$summary")
  if [ -n "$summary" ]; then
    passed=$((passed + total - bad)) failed=$((failed + bad))
  else
    status=1
  fi
  rm -f "$log"
done

echo "total: $passed passed, $failed failed"
exit $status
