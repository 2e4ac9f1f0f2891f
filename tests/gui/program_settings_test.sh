#!/usr/bin/env bash
# The real program keeps its field values beside itself: a copy started in a
# folder of its own under a virtual X server writes INIVAL1.INI when its
# Close button is pressed, and a second start restores what the file holds
# (the output folder through Edit4 included) and writes it back unchanged.
# Asked to end by SIGTERM or SIGHUP, it saves exactly as Close does.
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

# Starts the copy and, once the window shows, ends it the given way: Close
# presses the Close button, a signal name sends that signal; with a second
# argument, the file dialog of the GC-content tab is opened first. Then
# waits for the end, which must be an ordinary one.
start_and_end() {
  (cd "$work" && exec ./Vendral) 2>/dev/null &
  app=$!
  local window status=0
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vendral 0\.99$' | head -n 1 || true)
  [ -n "$window" ] || { echo "the window did not show" >&2; exit 1; }
  if [ $# -gt 1 ]; then
    # The "..." button beside the GC-content source field.
    xdotool mousemove --window "$window" 380 87 click 1
    timeout 30 xdotool search --sync --onlyvisible --name '^Open$' >/dev/null ||
      { echo "the file dialog did not show" >&2; exit 1; }
  fi
  if [ "$1" = Close ]; then
    # The Close button, inside the window.
    xdotool mousemove --window "$window" 397 290 click 1
  else
    kill -s "$1" "$app"
  fi
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$app" 2>/dev/null; then echo "the program did not end after $1" >&2; exit 1; fi
  wait "$app" || status=$?
  app=
  [ "$status" = 0 ] || { echo "after $1 the program ended with status $status" >&2; exit 1; }
}

# Compares INIVAL1.INI with the bytes in the given file.
expect_file() {
  if ! cmp -s "$1" "$work/INIVAL1.INI"; then
    echo "INIVAL1.INI differs; it holds:" >&2
    od -c "$work/INIVAL1.INI" >&2
    exit 1
  fi
}

start_and_end Close
printf '[Form1]\r\nEdit5=\r\nwwDBSpinEdit2=1000\r\nEdit3=\r\nComboBox1=<\r\nEdit1=\r\nEdit2=\r\nEdit6=\r\nEdit7=\r\nEdit4=%s/output/\r\nAction1=0\r\n' \
  "$work" > "$work/first.expected"
expect_file "$work/first.expected"

printf '[Form1]\r\nEdit5=/data/a.fa\r\nwwDBSpinEdit2=abc\r\nEdit3=/data/b.fa\r\nComboBox1=>\r\nEdit1=/data/c.fa\r\nEdit2=/data/f.txt\r\nEdit6=/data/d.fa\r\nEdit7=/data/e.fa\r\nEdit4=/typed/folder\r\nAction1=0\r\n' \
  > "$work/stored.expected"
cp "$work/stored.expected" "$work/INIVAL1.INI"
start_and_end Close
expect_file "$work/stored.expected"

# A file that holds two values: they are restored, the folder field gets its
# default, and every value is saved after them, whichever way the program ends.
printf '[Form1]\r\nEdit6=/data/gc.fa\r\nEdit7=/data/o.fa\r\n' > "$work/partial.ini"
printf '[Form1]\r\nEdit6=/data/gc.fa\r\nEdit7=/data/o.fa\r\nEdit5=\r\nwwDBSpinEdit2=1000\r\nEdit3=\r\nComboBox1=<\r\nEdit1=\r\nEdit2=\r\nEdit4=%s/output/\r\nAction1=0\r\n' \
  "$work" > "$work/partial.expected"
for way in Close TERM HUP "TERM dialog"; do
  cp "$work/partial.ini" "$work/INIVAL1.INI"
  # shellcheck disable=SC2086 # the way splits into its words
  start_and_end $way
  expect_file "$work/partial.expected"
done
echo "The program restores and saves INIVAL1.INI, on Close, SIGTERM and SIGHUP alike."
