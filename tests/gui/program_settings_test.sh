#!/usr/bin/env bash
# The real program keeps its field values beside itself: a copy started in a
# folder of its own under a virtual X server writes INIVAL1.INI when its
# Close button is pressed, and a second start restores what the file holds
# (the output folder through Edit4 included) and writes it back unchanged.
# Usage: program_settings_test.sh <program file>
set -euo pipefail
program=$1

work=$(cd "$(mktemp -d)" && pwd -P)
xvfb=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

n=110
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

cp "$program" "$work/Vendral"

# Starts the copy, presses Close once the window shows, waits for the end.
start_and_close() {
  (cd "$work" && exec ./Vendral) 2>/dev/null &
  app=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vendral 0\.99$' | head -n 1 || true)
  [ -n "$window" ] || { echo "the window did not show" >&2; exit 1; }
  # The Close button, inside the window.
  xdotool mousemove --window "$window" 397 290 click 1
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then echo "the program did not end" >&2; exit 1; fi
  wait "$app"
  app=
}

# Compares INIVAL1.INI with the bytes in the given file.
expect_file() {
  if ! cmp -s "$1" "$work/INIVAL1.INI"; then
    echo "INIVAL1.INI differs; it holds:" >&2
    od -c "$work/INIVAL1.INI" >&2
    exit 1
  fi
}

start_and_close
printf '[Form1]\r\nEdit5=\r\nwwDBSpinEdit2=1000\r\nEdit3=\r\nComboBox1=<\r\nEdit1=\r\nEdit2=\r\nEdit6=\r\nEdit7=\r\nEdit4=%s/output/\r\nAction1=0\r\n' \
  "$work" > "$work/first.expected"
expect_file "$work/first.expected"

printf '[Form1]\r\nEdit5=/data/a.fa\r\nwwDBSpinEdit2=abc\r\nEdit3=/data/b.fa\r\nComboBox1=>\r\nEdit1=/data/c.fa\r\nEdit2=/data/f.txt\r\nEdit6=/data/d.fa\r\nEdit7=/data/e.fa\r\nEdit4=/typed/folder\r\nAction1=0\r\n' \
  > "$work/stored.expected"
cp "$work/stored.expected" "$work/INIVAL1.INI"
start_and_close
expect_file "$work/stored.expected"
echo "The program restores and saves INIVAL1.INI."
