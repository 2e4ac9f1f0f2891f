#!/usr/bin/env bash
# Times GC-content runs of the real program, under a virtual X server with
# a window manager, as a user starts them: a click on GO until the output
# file is complete. Each program given runs RUNS times, the programs in
# turn, so that all see the same load; the medians are printed, of the wall
# time and of the program's CPU time over the run (all its threads, as the
# scheduler counts it). Comparing a build without the progress dialog with
# one that has it gives the dialog's cost as the user meets it.
# Then, for the first program, the time from a click on Cancel in the
# progress dialog until the dialog has gone and the window takes input
# (CANCEL_SOURCE, default SOURCE: one that reads for a few seconds).
# Usage: window_timing.sh SOURCE PROGRAM [PROGRAM...]
# RUNS (default 7; 0 for the Cancel part alone) runs of each; NICENESS
# (default 0) for the X server, the window manager and the programs: on a
# busy machine -20 keeps the others' load from the figures, as far as it can.
set -euo pipefail
source_file=$(realpath "$1")
shift
runs=${RUNS:-7}
niced=(nice -n "${NICENESS:-0}")
work=$(mktemp -d)
xvfb=
wm=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

n=150
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
"${niced[@]}" Xvfb ":$n" -screen 0 1024x768x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$n
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"${niced[@]}" openbox >/dev/null 2>&1 &
wm=$!
sleep 1

now() { date +%s.%N; }
cpu_seconds() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.4f", ns / 1e9 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One folder per program, its INIVAL1.INI naming the source and the output
# folder, which all share.
mkdir -p "$work/out"
use_source() {  # program number, source
  printf '[Form1]\r\nEdit6=%s\r\nEdit4=%s/out/\r\n' "$2" "$work" > "$work/p$1/INIVAL1.INI"
  output="$work/out/$(basename "$2").GC-Content.csv"
}
i=0
for program in "$@"; do
  mkdir -p "$work/p$i"
  cp "$program" "$work/p$i/Vendral"
  use_source "$i" "$source_file"
  i=$((i + 1))
done

start() {  # starts program number $1, sets app and window
  (cd "$work/p$1" && exec "${niced[@]}" ./Vendral) 2>/dev/null &
  app=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vendral 0\.99$' | head -n 1)
  sleep 0.5
}
stop() {
  kill "$app"
  wait "$app" 2>/dev/null || true
  app=
}
# The GO button of the GC-content tab, the tab the window opens on.
click_go() { xdotool mousemove --window "$window" 223 244 click 1; }

# Runs the window's GC-content once; prints wall and CPU seconds.
timed_run() {
  rm -f "$output"
  local cpu0 t0 t1 size
  cpu0=$(cpu_seconds "$app")
  t0=$(now)
  click_go
  while :; do
    size=$(stat -c %s "$output" 2>/dev/null || echo 0)
    [ "$size" = "$full_size" ] && break
    sleep 0.01
  done
  t1=$(stat -c %.9Y "$output")
  sleep 0.3  # the "Done!" box
  echo "$(echo "$t1 - $t0" | bc -l) $(echo "$(cpu_seconds "$app") - $cpu0" | bc -l)"
  xdotool key Return
  sleep 0.2
}

if [ "$runs" -gt 0 ]; then
  cat "$source_file" > /dev/null  # from the page cache from now on
  # The size of a complete output, from a first run.
  start 0
  click_go
  last=-1
  while :; do
    sleep 0.5
    size=$(stat -c %s "$output" 2>/dev/null || echo 0)
    [ "$size" = "$last" ] && [ "$size" -gt 0 ] && break
    last=$size
  done
  full_size=$size
  xdotool key Return
  stop

  declare -A walls cpus
  for _ in $(seq "$runs"); do
    for p in $(seq 0 $(($# - 1))); do
      start "$p"
      read -r wall cpu < <(timed_run)
      walls[$p]+="$wall "
      cpus[$p]+="$cpu "
      stop
    done
  done
  p=0
  for program in "$@"; do
    printf '%s: wall %.3f s, CPU %.3f s (medians of %d runs)\n  wall: %s\n  CPU:  %s\n' "$program" \
      "$(printf '%s\n' ${walls[$p]} | median)" "$(printf '%s\n' ${cpus[$p]} | median)" "$runs" "${walls[$p]}" "${cpus[$p]}"
    p=$((p + 1))
  done
fi

# Cancel: a click on the dialog's Cancel button, then the time until the
# dialog is gone and a click on the window reaches it (the Ardenta tab).
use_source 0 "$(realpath "${CANCEL_SOURCE:-$source_file}")"
start 0
cancel_times=()
for _ in $(seq 3); do
  rm -f "$output"
  click_go
  # The progress dialog: the one box of the program at least 300 pixels wide.
  dialog=
  for _ in $(seq 500); do
    for id in $(xdotool search --onlyvisible --name '^Vendral$' 2>/dev/null); do
      [ "$(xwininfo -id "$id" 2>/dev/null | awk '/Width/ { print $2 }')" -ge 300 ] 2>/dev/null && dialog=$id
    done
    [ -n "$dialog" ] && break
    sleep 0.02
  done
  [ -n "$dialog" ] || { echo "no progress dialog: is the source large enough?" >&2; exit 1; }
  sleep 0.2
  read -r x y width height < <(xwininfo -id "$dialog" 2>/dev/null |
    awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
         /Width/ { w = $2 } /Height/ { h = $2 } END { print x, y, w, h }')
  [ -n "${height:-}" ] || { echo "the run ended before Cancel could be clicked" >&2; exit 1; }
  # Cancel sits at the right end of the dialog's last row.
  # From when the click has been sent; the polling below adds the start of
  # a process or two to the figure (progress_cost times Cancel in-process).
  xdotool mousemove $((x + width - 52)) $((y + height - 22)) click 1
  t0=$(now)
  while xwininfo -id "$dialog" 2>/dev/null | grep -q IsViewable; do sleep 0.001; done
  t1=$(now)
  cancel_times+=("$(echo "($t1 - $t0) * 1000" | bc -l | cut -d. -f1)")
  [ -e "$output" ] && echo "the partial output stayed" >&2
  # The window takes input: the Ardenta tab, then back to GC-content.
  xdotool mousemove --window "$window" 43 49 click 1
  sleep 0.3
  [ -n "${SHOTS:-}" ] && import -window root "$SHOTS/after-cancel.png"
  xdotool mousemove --window "$window" 238 49 click 1
  sleep 0.3
done
echo "Cancel until the dialog is gone: ${cancel_times[*]} ms"
stop
