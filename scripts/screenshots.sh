#!/usr/bin/env bash
# Takes the README's screenshots: the window under Xvfb, INICIAR clicked,
# one picture during the inflow and one during the recession.
# Needs xvfb, xdotool and imagemagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
build=${1:-build}
out=${2:-docs}
display=:97
Xvfb $display -screen 0 1280x860x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=$display
LC_NUMERIC=pt_BR.UTF-8 "$build/src/app/tarvinel" &
app=$!
trap 'kill $app 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  win=$(xdotool search --name '^Tarvinel$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
xdotool windowmove "$win" 0 0
sleep 0.5
# INICIAR, at (8, 65) in the window, 98 x 25.
xdotool mousemove --window "$win" 57 77 click 1
# Twenty ticks a second, each five seconds of irrigation.
sleep 3     # about 5 minutes in: the front advancing down the run
import -window "$win" "$out/window-inflow.png"
sleep 28.2  # about 52 minutes in: the recession running down the run
import -window "$win" "$out/window-recession.png"
