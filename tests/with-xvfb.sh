#!/usr/bin/env bash
# Usage: [XVFB_DPI=N] [XFT_DPI=N] with-xvfb.sh COMMAND [ARG...]
# Runs COMMAND with DISPLAY set to a private Xvfb server on a free display
# and stops the server when COMMAND ends, however it ends. Exits with
# COMMAND's exit code, or 125 when no server comes up. The screen has
# XVFB_DPI dots per inch (96 unless set); with XFT_DPI the server's
# resources set Xft.dpi, as a desktop's scale setting does.
set -u
number=$(mktemp)
# The time limit ends the server even if this script is killed outright;
# -noreset keeps it accepting clients between two that come and go.
timeout 900 Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi "${XVFB_DPI:-96}" -nolisten tcp -noreset 3>"$number" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number"' EXIT
trap 'exit 143' INT TERM
for _ in $(seq 300); do
  # Xvfb writes the display number and a line feed once it accepts clients.
  [[ $(tail -c 1 "$number") == "" && -s "$number" ]] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -s "$number" ]] || ! kill -0 "$xvfb" 2>/dev/null; then
  echo "with-xvfb.sh: Xvfb did not start (make deps installs it)" >&2
  exit 125
fi
export DISPLAY=":$(head -n 1 "$number")"
if [[ -n ${XFT_DPI:-} ]]; then
  xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: $XFT_DPI" ||
    { echo "with-xvfb.sh: cannot set Xft.dpi (make deps installs xprop)" >&2; exit 125; }
fi
"$@"
