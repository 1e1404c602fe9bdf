# A private virtual display for tests: start_display starts Xvfb on a free
# display number and exports DISPLAY; stop_display ends it. Numbers are chosen
# here, not by Xvfb, since servers started at the same moment by parallel tests
# can otherwise be handed the same number. -noreset: a server that resets when its
# last client leaves refuses the next program that connects during the reset.
# Options given to start_display are passed on to Xvfb.
start_display() {
  local attempt number
  for attempt in $(seq 1 20); do
    number=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
    XVFB_PID=$!
    local tries
    for tries in $(seq 1 100); do
      if ! kill -0 "$XVFB_PID" 2>/dev/null; then
        break  # taken meanwhile: try another number
      fi
      if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$number"
        return 0
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
