#!/usr/bin/env bash
# Runs a command with a private PulseAudio server: a null sink "test_out" and a capture
# source "test_in" remapped from its monitor, so what is played can be captured again.
set -uo pipefail
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
export PULSE_RUNTIME_PATH="$XDG_RUNTIME_DIR/pulse"
cleanup() { pulseaudio --kill >/dev/null 2>&1 || true; rm -rf "$XDG_RUNTIME_DIR"; }
trap cleanup EXIT
if pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=stderr \
     --load=module-native-protocol-unix --load="module-null-sink sink_name=test_out" 2>/dev/null; then
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl load-module module-remap-source master=test_out.monitor source_name=test_in \
    source_properties=device.description=TestInput >/dev/null
  pactl set-default-source test_in
  pactl set-default-sink test_out
  export RESONI_PULSE=1
else
  echo "with-pulseaudio: could not start a PulseAudio server; audio tests will be skipped" >&2
fi
"$@"
