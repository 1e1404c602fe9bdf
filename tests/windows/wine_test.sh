#!/usr/bin/env bash
# The Windows build under Wine, as a teacher would use it: the installer run
# silently into a fresh Wine prefix, the installed program started and driven
# through the title, the menu and a Bell count, its graphics check; then the
# portable zip the same way from a folder with an accented name, and on a small
# screen, where scene text is scaled with the fonts shipped beside the program;
# last the silent uninstall.
# Wine shows a child GL view black on Xvfb, so the scenes are judged by the
# program's own graphics check, which reads them inside their contexts.
# Needs scripts/build_windows.sh to have run. Usage: tests/windows/wine_test.sh
source "$(dirname "$0")/../support/e2e_lib.sh"
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$root/build-windows"
WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
export WINEPREFIX="$out/wine" WINEDEBUG=-all
# No prompts for the browser and .NET engines, which the program does not use.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine is slower to show a window than the native program.
SETTLE=1

trap '"$WINESERVER" -k 2>/dev/null || true; e2e_cleanup' EXIT

installer="$(ls "$out"/Orvantis-*-setup.exe)"
zip="$(ls "$out"/Orvantis-*-portable.zip)"
version="${installer##*/Orvantis-}"
version="${version%-setup.exe}"

echo "a fresh Wine prefix"
rm -rf "$WINEPREFIX"
"$WINE" wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
# Windows has Times New Roman and Arial, FLTK's default faces; Wine lacks them
# and would draw every label in one sans face. Their metric twins stand in, so
# the layout is measured with the widths Windows gives.
for pair in "Times New Roman=Liberation Serif" "Arial=Liberation Sans"; do
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
    >/dev/null 2>&1 || fail "could not set the font replacement $pair"
done

# read_number WINDOW X Y W H: the number shown in a rectangle of the window, read
# by OCR from the screen (digits only; empty when none could be read).
read_number() {
  local wx wy
  read -r wx wy <<<"$(window_origin "$1")"
  import -window root -crop "$4x$5+$((wx + $2))+$((wy + $3))" +repage png:- |
    convert png:- -colorspace gray -resize 300% -threshold 35% -bordercolor white -border 10 pnm:- |
    gocr -C 0-9 -i - 2>/dev/null | tr -d ' \n'
}

# start_active WINDOW: the Bell window's Start is green while it takes clicks.
start_active() {
  local r g b
  read -r r g b <<<"$(pixel "$1" 745 215)"
  [ "$r" -lt 40 ] && [ "$g" -gt 150 ] && [ "$b" -lt 40 ]
}

# walk PROGRAM: title, "Go", the menu, a Bell count of 2000 whose 36 counters add
# up to Performed, Return, "Exit" with status 0. Started from a scratch folder,
# so the picture and fonts must be found beside the executable.
walk() {
  (cd "$WORK" && exec "$WINE" "$1" >"$WORK/stdout" 2>"$WORK/stderr") &
  PROGRAM_PID=$!
  local title menu bell r g b n performed sum
  title="$(wait_window Demonstrations 60)"
  local end=$((SECONDS + 20))
  until read -r r g b <<<"$(pixel "$title" 124 464)" && [ "$b" -gt 150 ]; do
    [ $SECONDS -le $end ] || fail "the title screen shows no title picture: $r $g $b"
    sleep 0.5
  done
  click "$title" 344 373
  menu="$(wait_window "$MENU" 30)"
  bell="$(open_demo "$menu" "$BELL")"
  start_active "$bell" || fail "Start is not active in a fresh Bell window"

  click "$bell" 821 263  # Count
  click "$bell" 929 50   # Experiment
  xdotool windowfocus --sync "$bell" 2>/dev/null || true
  xdotool key ctrl+a 2>/dev/null || true
  xdotool type --delay 50 2000 2>/dev/null || true
  sleep 0.5
  click "$bell" 806 193  # Start
  end=$((SECONDS + 60))
  until performed="$(read_number "$bell" 876 89 108 30)" && [ "$performed" = 2000 ] &&
        start_active "$bell"; do
    [ $SECONDS -le $end ] || fail "the count did not reach Performed 2000 (read '$performed')"
    sleep 0.5
  done
  sum=0
  for l in 0 1 2; do
    for r in 0 1 2; do
      for o in 0 1 2 3; do
        n="$(read_number "$bell" $((59 + 222 * l + 74 * r)) $((57 + 45 * o)) 63 31)"
        [[ "$n" =~ ^[0-9]+$ ]] || fail "counter ($l, $r, $o) unreadable: '$n'"
        sum=$((sum + n))
      done
    done
  done
  [ "$sum" -eq 2000 ] || fail "the counters add up to $sum, not 2000"

  click "$bell" ${RETURN[$BELL]}
  wait_gone "$BELL"
  click "$menu" 859 616  # Exit
  expect_exit 30
  [ ! -s "$WORK/stdout" ] || fail "unexpected output: $(head -c 300 "$WORK/stdout")"
}

# check_graphics PROGRAM: --check-graphics passes for every view.
check_graphics() {
  local status=0
  # Windows ends its lines with CR LF.
  (cd "$WORK" && timeout 120 "$WINE" "$1" --check-graphics) 2>/dev/null | tr -d '\r' >"$WORK/check" ||
    status=$?
  sed 's/^/  | /' "$WORK/check"
  [ "$status" -eq 0 ] || fail "--check-graphics ended with status $status"
  [ "$(grep -c ' ok$' "$WORK/check")" -eq 9 ] || fail "--check-graphics did not pass all nine views"
  grep -q '^OpenGL renderer: ' "$WORK/check" || fail "--check-graphics did not name the renderer"
}

echo "the installer, silently"
"$WINE" "$installer" /S || fail "the installer ended with status $?"
folder="$WINEPREFIX/drive_c/Program Files/Quantum Orvantis"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quantum Orvantis.lnk"
[ -f "$folder/orvantis.exe" ] || fail "nothing installed in $folder"
[ -f "$menu_entry" ] || fail "no Start menu entry"
for file in zel.bmp LiberationSans-Regular.ttf LiberationSerif-Regular.ttf uninstall.exe; do
  [ -f "$folder/$file" ] || fail "the installer left out $file"
done
installed='C:\Program Files\Quantum Orvantis\orvantis.exe'

echo "the installed program"
walk "$installed"
echo "its graphics check"
check_graphics "$installed"

# A folder name outside the system's code page, as a user's own folder may be.
echo "the portable zip, unpacked elsewhere"
unzip -q "$zip" -d "$WORK/Ünterricht"
portable="$WORK/Ünterricht/Orvantis-$version/orvantis.exe"
walk "$portable"
check_graphics "$portable"

echo "on a small screen its scene text is scaled, with the fonts shipped beside it"
"$WINESERVER" -k 2>/dev/null || true
stop_display
start_display -screen 0 1024x600x24
check_graphics "$portable"
# Bitmap text has one colour; scaled glyphs are smoothed into many.
colours="$(sed -n 's/^  title  *[0-9x]*  *\([0-9]*\) colours.*/\1/p' "$WORK/check")"
[ "${colours:-0}" -gt 100 ] || fail "the title's text was not scaled with the shipped fonts ($colours colours)"

echo "the uninstaller, silently"
# It copies itself away and runs from there: its first process ends at once.
"$WINE" 'C:\Program Files\Quantum Orvantis\uninstall.exe' /S || fail "the uninstaller failed"
end=$((SECONDS + 60))
while [ -e "$folder" ] || [ -e "$menu_entry" ]; do
  [ $SECONDS -le $end ] || fail "the uninstaller left $(ls -A "$folder" 2>/dev/null | paste -sd ' ')"
  sleep 0.5
done
echo "all passed"
