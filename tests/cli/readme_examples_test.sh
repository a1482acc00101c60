#!/usr/bin/env bash
# Runs the README's scripting examples as they stand against two simulated
# cameras on COM1 and COM2 of a private port map.
#   readme_examples_test.sh README BIN_DIR
set -euo pipefail
readme="$1"
bin="$2"

work="$(mktemp -d "${TMPDIR:-/tmp}/cct-examples-XXXXXX")"
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME="$work/config"
export PATH="$bin:$PATH"
cd "$work"

"$bin/camera-sim" --port COM1 --no-pace > sim1.log 2>&1 &
sims+=($!)
"$bin/camera-sim" --port COM2 --no-pace --model QX-2080L-RTN > sim2.log 2>&1 &
sims+=($!)
for port in COM1 COM2; do
  for _ in $(seq 100); do [ -e "$XDG_CONFIG_HOME/Ovreth/ports/$port" ] && break; sleep 0.05; done
done
# The second camera must start out different from the first.
camera-ctl --port COM1 set GA=777 BL=-7 TG=1 > /dev/null

# The shell block after "<!-- example: NAME -->".
example() {
  awk -v tag="<!-- example: $1 -->" '
    $0 == tag { found = 1; next }
    found && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$readme"
}

fail() { echo "readme example: $*" >&2; exit 1; }

for name in clone lut temperature; do
  [ -n "$(example "$name")" ] || fail "no example \"$name\" in $readme"
done

out="$(bash -euo pipefail -c "$(example clone)")" || fail "clone failed"
[ "$out" = "No difference." ] || fail "clone: diff said: $out"
[ "$(camera-ctl --port COM2 get GA)" = "GA=777" ] || fail "clone: COM2 was not changed"

out="$(bash -euo pipefail -c "$(example lut)")" || fail "lut failed"
[ "$out" = "LUT verified" ] || fail "lut: $out"
[ "$(grep -c . gamma.csv)" = 257 ] || fail "lut: gamma.csv is not a header and 256 entries"

READINGS=2 INTERVAL=0 bash -euo pipefail -c "$(example temperature)" || fail "temperature failed"
[ "$(grep -cE '^[0-9-]+T[0-9:]+Z [0-9]+$' temperature.log)" = 2 ] || fail "temperature: $(cat temperature.log)"

echo "readme examples: clone, lut and temperature ran as written"
