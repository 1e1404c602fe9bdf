# Shared steps of the end-to-end tests: a private display, the built program
# started in a scratch folder, windows found by title, clicks at window-relative
# pixel positions, and the exit status. Needs ORVANTIS (the program) and
# ORVANTIS_ASSETS (the folder holding zel.bmp), which CTest sets.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

WORK="$(mktemp -d)"
PROGRAM_PID=""
# Pauses that let the program catch up: after a window appears, after a click.
SETTLE="${SETTLE:-0.3}"
CLICK_PAUSE="${CLICK_PAUSE:-0.2}"

e2e_cleanup() {
  if [ -n "${WM_PID:-}" ]; then kill "$WM_PID" 2>/dev/null || true; fi
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    kill -9 "$PROGRAM_PID" 2>/dev/null || true
  fi
  stop_display
  rm -rf "$WORK"
}
trap e2e_cleanup EXIT
start_display

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$PROGRAM_PID" ]; then
    if kill -0 "$PROGRAM_PID" 2>/dev/null; then
      echo "the program is still running (pid $PROGRAM_PID); where it is:" >&2
      timeout 20 gdb -p "$PROGRAM_PID" -batch -ex bt 2>/dev/null | grep '^#' | head -40 >&2 || true
    else
      echo "the program has ended" >&2
    fi
    [ -s "$WORK/stderr" ] && { echo "its error output:" >&2; head -c 2000 "$WORK/stderr" >&2; }
  fi
  if [ -n "${DISPLAY:-}" ]; then
    echo "windows shown:" >&2
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      echo "  $id '$(xdotool getwindowname "$id" 2>/dev/null)' $(xdotool getwindowgeometry "$id" 2>/dev/null | tr '\n' ' ')" >&2
    done
    import -window root "$WORK/failure.png" 2>/dev/null && cp "$WORK/failure.png" "/tmp/e2e-failure-$$.png" &&
      echo "screenshot: /tmp/e2e-failure-$$.png" >&2
  fi
  exit 1
}

# start_program [--no-bitmap]: starts the program in a scratch folder, its
# frames as fast as they draw.
start_program() {
  if [ "${1:-}" != "--no-bitmap" ]; then
    cp "$ORVANTIS_ASSETS/zel.bmp" "$WORK/"
  fi
  (cd "$WORK" && exec "$ORVANTIS" --no-frame-limit >"$WORK/stdout" 2>"$WORK/stderr") &
  PROGRAM_PID=$!
}

# start_from_entry ROOT ENTRY: starts an installed program as the desktop menu
# would, with the entry's command in the entry's folder; ROOT is where the
# files were installed ("" when in place), and the entry names paths without it.
# Then the title screen must show its picture and "Exit" end the program cleanly.
start_from_entry() {
  local root="$1" entry="$2" command folder r g b
  command="$(sed -n 's/^Exec=//p' "$entry")"
  folder="$(sed -n 's/^Path=//p' "$entry")"
  [ -x "$root$command" ] || fail "entry runs '$command', which is not installed"
  [ -f "$root$folder/zel.bmp" ] || fail "entry's folder '$folder' has no title picture"
  grep -q '^Icon=orvantis$' "$entry" || fail "entry has no icon"
  (cd "$root$folder" && exec "$root$command" >"$WORK/stdout" 2>"$WORK/stderr") &
  PROGRAM_PID=$!
  local title
  title="$(wait_window Demonstrations)"
  read -r r g b <<<"$(pixel "$title" 124 464)"
  [ "$b" -gt 150 ] || fail "installed program shows no title picture: $r $g $b"
  click "$title" 73 713
  expect_exit
  expect_quiet
}

# find_window TITLE: prints the id of the shown window with exactly this title.
find_window() {
  { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; } | head -n 1
}

# wait_window TITLE [SECONDS]: waits until the window is shown, prints its id.
wait_window() {
  local title="$1" limit="${2:-20}" id=""
  local end=$((SECONDS + limit))
  while [ $SECONDS -le $end ]; do
    id="$(find_window "$title")"
    if [ -n "$id" ]; then
      sleep "$SETTLE"
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "window '$title' not shown within ${limit}s"
}

# wait_gone TITLE [SECONDS]: waits until no window with this title is shown.
wait_gone() {
  local title="$1" limit="${2:-10}"
  local end=$((SECONDS + limit))
  while [ $SECONDS -le $end ]; do
    [ -z "$(find_window "$title")" ] && return 0
    sleep 0.1
  done
  fail "window '$title' still shown after ${limit}s"
}

# click WINDOW X Y: a left click at a pixel of the window.
click() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep "$CLICK_PAUSE"
}

# press_key WINDOW KEY: gives the window the focus and sends one key.
press_key() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2" 2>/dev/null || true
  sleep "$CLICK_PAUSE"
}

# window_origin WINDOW: prints the window's "x y" on the screen. (xdotool's own
# geometry adds the frame of a window manager's decoration.)
window_origin() {
  xwininfo -id "$1" | sed -n 's/^ *Absolute upper-left [XY]: *//p' | paste -sd ' '
}

# window_size WINDOW: prints the window's "width height".
window_size() {
  xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(WIDTH\|HEIGHT\)=//p' | paste -sd ' '
}

# design_point WINDOW X Y: where a point of the 1024 x 768 design lies in the
# window as it is now scaled: by the smaller ratio, centred.
design_point() {
  local w h
  read -r w h <<<"$(window_size "$1")"
  awk -v w="$w" -v h="$h" -v x="$2" -v y="$3" 'function r(v) { return int(v + 0.5) }
    BEGIN { s = w / 1024; if (h / 768 < s) s = h / 768
            printf "%d %d\n", int((w - r(1024 * s)) / 2) + r(x * s), int((h - r(768 * s)) / 2) + r(y * s) }'
}

# click_design WINDOW X Y: a click at a point of the design, wherever it is scaled to.
click_design() {
  click "$1" $(design_point "$1" "$2" "$3")
}

# use_screen WxH: a fresh display of that size under a window manager (openbox),
# as a classroom computer has. Start the program afterwards.
WM_PID=""
use_screen() {
  [ -n "$WM_PID" ] && { kill "$WM_PID" 2>/dev/null || true; wait "$WM_PID" 2>/dev/null || true; }
  stop_display
  start_display -screen 0 "$1x24"
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  local end=$((SECONDS + 10))
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    [ $SECONDS -gt $end ] && fail "the window manager did not start"
    sleep 0.1
  done
}

# expect_inside_screen WINDOW: the window and its frame lie within the screen.
expect_inside_screen() {
  local x y w h sw sh left right top bottom
  read -r x y <<<"$(window_origin "$1")"
  read -r w h <<<"$(window_size "$1")"
  read -r sw sh <<<"$(xdotool getdisplaygeometry)"
  read -r left right top bottom <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null |
    sed -n 's/.*= *//p' | tr -d ',')"
  left=${left:-0} right=${right:-0} top=${top:-0} bottom=${bottom:-0}
  if [ $((x - left)) -lt 0 ] || [ $((y - top)) -lt 0 ] || [ $((x + w + right)) -gt "$sw" ] ||
     [ $((y + h + bottom)) -gt "$sh" ]; then
    fail "window $(xdotool getwindowname "$1") at $x,$y size ${w}x$h (frame $left $right $top $bottom) is not inside the ${sw}x$sh screen"
  fi
}

# pixel WINDOW X Y: prints "r g b" (0..255) of a pixel of the window on screen.
pixel() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "1x1+$((wx + $2))+$((wy + $3))" -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# region_max WINDOW X Y W H: prints the largest "r g b" values (0..255) found in a
# rectangle of the window on screen.
region_max() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage \
    -format '%[fx:round(maxima.r*255)] %[fx:round(maxima.g*255)] %[fx:round(maxima.b*255)]' info:
}

# region_hash WINDOW X Y W H: a fingerprint of a rectangle's pixels, to tell
# whether a picture moved.
region_hash() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage rgb:- | md5sum | cut -d' ' -f1
}

# count_pixels WINDOW X Y W H TEST: how many pixels of a rectangle of the window
# on screen pass TEST, an awk condition on r, g and b (0..255).
count_pixels() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  # Lines read "x,y: (r,g,b) ...".
  import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" -depth 8 txt:- |
    awk -F'[(),]' "NR > 1 { r = \$3; g = \$4; b = \$5; if ($6) n++ } END { print n + 0 }"
}

# ink_width WINDOW X Y W H [THRESHOLD]: width in pixels of the dark text inside a
# rectangle of the window (0 when there is none); pixels darker than THRESHOLD
# percent grey (default 25) count as ink.
ink_width() {
  local wx wy box width
  read -r wx wy <<<"$(window_origin "$1")"
  box="$(import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage png:- |
    convert png:- -colorspace gray -threshold "${6:-25}%" -negate -bordercolor black -border 1 \
      -format '%@' info: 2>/dev/null || true)"
  # An empty rectangle trims to nothing: ImageMagick reports 1x1 or 0x0.
  width="${box%%x*}"
  [ "${width:-0}" -le 1 ] && width=0
  echo "$width"
}

# expect_exit [SECONDS]: the program must end within the time, with status 0
# (in a sanitizer build 5 s more, for the leak check at exit: see below).
expect_exit() {
  local limit="${1:-5}" status=0
  [ "${ORVANTIS_SANITIZED:-0}" = 1 ] && limit=$((limit + 5))
  local end=$((SECONDS + limit))
  while kill -0 "$PROGRAM_PID" 2>/dev/null; do
    [ $SECONDS -gt $end ] && fail "program still running ${limit}s after it should have ended"
    sleep 0.1
  done
  wait "$PROGRAM_PID" || status=$?
  PROGRAM_PID=""
  [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
}

# expect_exit_within MILLISECONDS: as expect_exit, with a finer limit. In a
# sanitizer build the leak check at exit scans the whole heap before the process
# ends, which alone takes about a second (more on a loaded machine): that is
# allowed for, so the limit still measures the program.
expect_exit_within() {
  local limit_ms=$1 start status=0
  [ "${ORVANTIS_SANITIZED:-0}" = 1 ] && limit_ms=$((limit_ms + 5000))
  start=$(date +%s%N)
  while kill -0 "$PROGRAM_PID" 2>/dev/null; do
    [ $(($(date +%s%N) - start)) -gt $((limit_ms * 1000000)) ] &&
      fail "program still running $limit_ms ms after it should have ended"
    sleep 0.02
  done
  wait "$PROGRAM_PID" || status=$?
  PROGRAM_PID=""
  [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
}

# resident_kib: the program's resident memory in KiB.
resident_kib() {
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$PROGRAM_PID/status"
}

# expect_alive: the program is still running.
expect_alive() {
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program has ended"
}

# The menu and the demonstrations: window titles, the launch frames' click points
# in the menu (the 5-pixel frame around each preview), and controls.
MENU="Main menu"
BELL="Bell-inequality"
TELEPORT="Quantum-teleportation"
BB84="The BB84 Protocol"
declare -A LAUNCH=([$BELL]="122 160" [$TELEPORT]="592 160" [$BB84]="122 460")
declare -A RETURN=([$BELL]="953 303" [$TELEPORT]="953 717" [$BB84]="951 712")
declare -A START=([$BELL]="806 193" [$TELEPORT]="732 715" [$BB84]="949 640")
declare -A STOP=([$BELL]="953 235" [$TELEPORT]="587 717" [$BB84]="951 580")

# bb84_start_active WINDOW: true while the BB84 window's Start shows its active
# green, that is while no run goes on.
bb84_start_active() {
  local r g b
  read -r r g b <<<"$(pixel "$1" 896 640)"
  [ "$g" -gt 150 ] && [ "$r" -lt 80 ]
}

# bb84_wait_run WINDOW SECONDS [quick]: after a click on Start, waits for the
# run to begin (Start greys out within 10 s; a quick run, such as counting, may
# be over before the first look) and then to end within SECONDS.
bb84_wait_run() {
  local end=$((SECONDS + 10))
  while bb84_start_active "$1"; do
    if [ $SECONDS -gt $end ]; then
      [ "${3:-}" = quick ] && break
      fail "Start did not go inactive"
    fi
    sleep 0.1
  done
  end=$((SECONDS + $2))
  until bb84_start_active "$1"; do
    [ $SECONDS -gt $end ] && fail "the run did not end within $2 s"
    sleep 0.2
  done
}

# to_menu: starts the program and goes from the title screen to the menu, whose
# window id it leaves in MENU_WINDOW (not printed: the program must be started by
# this shell, not a subshell, for PROGRAM_PID to stay known).
to_menu() {
  start_program
  local title
  title="$(wait_window Demonstrations)"
  click "$title" 344 373
  MENU_WINDOW="$(wait_window "$MENU")"
}

# open_demo MENU_WINDOW TITLE: opens a demonstration, prints its window's id.
open_demo() {
  click "$1" ${LAUNCH[$2]}
  wait_window "$2"
}

# expect_quiet: the program printed nothing.
expect_quiet() {
  [ ! -s "$WORK/stdout" ] || fail "unexpected output: $(head -c 300 "$WORK/stdout")"
  [ ! -s "$WORK/stderr" ] || fail "unexpected error output: $(head -c 300 "$WORK/stderr")"
}
