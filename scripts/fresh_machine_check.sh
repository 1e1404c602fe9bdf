#!/usr/bin/env bash
# Proves the README's two commands on a bare system, where a warm machine would
# hide a missing package: a minimal Debian root is made with debootstrap, the
# repository is cloned into it, and there
#   - the first command must build, then without a display print its one-line
#     hint and fail, and under xvfb-run bring up the title screen and keep it up;
#   - the second command's unit layer must pass.
# Given a Debian package of the program, first apt must install it into the bare
# root, without any build package, and its menu entry's command must bring up
# the title screen; package and package lists are then removed again.
# Runs as root. The host is never touched beyond the root's own folder: the root
# gets a private /dev (never the host's, which a removal of the root would then
# delete), its processes are ended and its mounts undone, deepest first, before
# the folder is removed without crossing into any other file system.
# Usage: scripts/fresh_machine_check.sh [PACKAGE.deb]
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
package="${1:-}"
if [ -n "$package" ] && [ ! -f "$package" ]; then
  echo "fresh-machine check: no package $package" >&2
  exit 1
fi
started=$SECONDS

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine check: needs root (debootstrap, chroot, mounts)" >&2
  exit 1
fi
"$repo/scripts/install_deps.sh" debootstrap

# The same release as this machine, from this machine's own package sources.
# shellcheck disable=SC1091
suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
mirror_of() {
  local suite="$1"
  # One-line sources: deb [options] URI SUITE COMPONENTS...
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    sed -e 's/#.*//' -e 's/\[[^]]*\]//' |
    awk -v s="$suite" '$1 == "deb" && $3 == s { print $2; exit }'
  # deb822 sources: blocks of Field: value lines.
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk -v s="$suite" '
      function check() {
        if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " s " ") && uris != "") {
          split(uris, u, " "); print u[1]; exit
        }
        types = suites = uris = ""
      }
      /^[ \t]*$/ { check(); next }
      /^#/ { next }
      /^Types:/ { sub(/^Types:[ \t]*/, ""); types = $0 }
      /^Suites:/ { sub(/^Suites:[ \t]*/, ""); suites = $0 }
      /^URIs:/ { sub(/^URIs:[ \t]*/, ""); uris = $0 }
      END { check() }'
}
mirror="$(mirror_of "$suite" | head -n 1)"
if [ -z "$suite" ] || [ -z "$mirror" ]; then
  echo "fresh-machine check: no package source for '$suite' in this machine's apt sources" >&2
  exit 1
fi

scratch="$(mktemp -d /var/tmp/orvantis-fresh.XXXXXX)"
target="$scratch/root"
log="$scratch/log"

# Mount points at or below the root, deepest first.
mounts_below() {
  awk -v t="$target" '$2 == t || index($2, t "/") == 1 { print gsub("/", "/", $2), $2 }' /proc/mounts |
    sort -rn | cut -d' ' -f2-
}

# Every process whose root is the new root: an X server, the program, a build.
processes_inside() {
  local entry
  for entry in /proc/[0-9]*; do
    [ "$(readlink "$entry/root" 2>/dev/null)" = "$target" ] && echo "${entry#/proc/}"
  done
  return 0
}

end_processes_inside() {
  local attempt pids
  for attempt in $(seq 1 50); do
    pids="$(processes_inside)"
    [ -z "$pids" ] && return 0
    # shellcheck disable=SC2086
    kill -9 $pids 2>/dev/null || true
    sleep 0.1
  done
  echo "fresh-machine check: processes still running inside the root: $pids" >&2
  return 1
}

# kill_tree PID: the process and everything it started (debootstrap's
# downloads run outside the root).
kill_tree() {
  local child
  for child in $(pgrep -P "$1"); do
    kill_tree "$child"
  done
  kill -9 "$1" 2>/dev/null || true
}

cleanup() {
  local status=$? mount job
  set +e
  trap - EXIT INT TERM
  for job in $(jobs -p); do
    kill_tree "$job"
  done
  end_processes_inside
  if [ "$status" -ne 0 ] && [ -f "$log" ]; then
    echo "fresh-machine check: last lines of the failing step:" >&2
    tail -n 30 "$log" >&2
  fi
  for mount in $(mounts_below); do
    umount "$mount" 2>/dev/null || umount --lazy "$mount"
  done
  if [ -n "$(mounts_below)" ]; then
    echo "fresh-machine check: mounts left below $target, so it is not removed:" >&2
    mounts_below >&2
    status=1
  else
    rm -rf --one-file-system "$scratch"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "FAIL (fresh machine): $*" >&2
  exit 1
}

step() { echo "-- $* ($((SECONDS - started)) s)"; }

# Long steps run in the background and are waited for: a signal then reaches
# the traps at once instead of after the step.
waited() {
  "$@" &
  wait $!
}

step "making a minimal $suite root"
waited debootstrap --variant=minbase "$suite" "$target" "$mirror" >"$log" 2>&1 ||
  fail "debootstrap could not make the root"

# A private /dev with only the nodes a build and an X server need.
mount -t tmpfs -o mode=0755,nosuid,size=8m fresh-dev "$target/dev"
mknod -m 666 "$target/dev/null" c 1 3
mknod -m 666 "$target/dev/zero" c 1 5
mknod -m 666 "$target/dev/full" c 1 7
mknod -m 666 "$target/dev/random" c 1 8
mknod -m 666 "$target/dev/urandom" c 1 9
mknod -m 666 "$target/dev/tty" c 5 0
mkdir "$target/dev/pts" "$target/dev/shm"
mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 fresh-devpts "$target/dev/pts"
ln -s pts/ptmx "$target/dev/ptmx"
mount -t tmpfs -o mode=1777,nosuid,nodev fresh-shm "$target/dev/shm"
ln -s /proc/self/fd "$target/dev/fd"
ln -s /proc/self/fd/0 "$target/dev/stdin"
ln -s /proc/self/fd/1 "$target/dev/stdout"
ln -s /proc/self/fd/2 "$target/dev/stderr"
mount -t proc fresh-proc "$target/proc"
cp /etc/resolv.conf "$target/etc/resolv.conf" 2>/dev/null || true

git clone --quiet "$repo" "$target/root/orvantis"

# in_root COMMAND...: runs in the root as a new user's login would, as root.
in_root() {
  chroot "$target" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# A display number free on the host too: X servers' abstract sockets are shared
# with the host, whatever their root.
display=""
for number in $(seq 700 799); do
  if [ ! -e "/tmp/.X$number-lock" ] && ! grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix; then
    display="$number"
    break
  fi
done
[ -n "$display" ] || fail "no free display number"

# The host's tools watch the root's X server (xvfb-run writes its cookie to
# /tmp/xauth there), so nothing needs to be installed in the root for it.
on_display() { DISPLAY=":$display" XAUTHORITY="$target/tmp/xauth" "$@"; }
title_shown() { [ -n "$(on_display xdotool search --onlyvisible --name '^Demonstrations$' 2>/dev/null)" ]; }

# title_comes_up PID: the program started in the background as PID must bring up
# its title screen within 60 s, keep it up and draw it; then the root's
# processes are ended.
title_comes_up() {
  local program="$1" end=$((SECONDS + 60)) colours
  until title_shown; do
    kill -0 "$program" 2>/dev/null || fail "the program ended before its title screen came up"
    [ $SECONDS -le $end ] || fail "no title screen within 60 s"
    sleep 0.2
  done
  sleep 3
  kill -0 "$program" 2>/dev/null || fail "the program ended after its title screen came up"
  title_shown || fail "the title screen did not stay up"
  on_display import -window root "$scratch/title.png"
  colours="$(convert "$scratch/title.png" -format %k info:)"
  [ "$colours" -gt 100 ] || fail "the title screen shows only $colours colours"
  end_processes_inside
  wait "$program" 2>/dev/null || true
}

if [ -n "$package" ]; then
  step "the Debian package: apt installs it without build packages, its menu entry starts it"
  cp "$package" "$target/tmp/orvantis.deb"
  waited in_root bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq /tmp/orvantis.deb xvfb xauth' >"$log" 2>&1 ||
    fail "apt could not install the package"
  for tool in g++ cmake libfltk1.3-dev; do
    if in_root dpkg -s "$tool" >/dev/null 2>&1; then
      fail "installing the package brought the build package $tool"
    fi
  done
  entry="$target/usr/share/applications/orvantis.desktop"
  [ -f "$entry" ] || fail "the package installed no menu entry"
  command="$(sed -n 's/^Exec=//p' "$entry")"
  folder="$(sed -n 's/^Path=//p' "$entry")"
  in_root bash -c "cd '$folder' && exec xvfb-run -n $display -f /tmp/xauth \
    -s '-screen 0 1280x1024x24' '$command'" >"$log" 2>&1 &
  title_comes_up $!
  # A bare root again for the README's commands: no package, no package lists.
  waited in_root bash -c 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq --autoremove \
    orvantis xvfb xauth && apt-get clean && find /var/lib/apt/lists -type f ! -name lock -delete' \
    >"$log" 2>&1 || fail "the package could not be removed again"
  if in_root dpkg -s libfltk1.3 >/dev/null 2>&1; then
    fail "the package's libraries stayed after it was removed"
  fi
fi

step "first command without a display: installs, builds, then gives its hint"
if waited in_root bash -c 'cd /root/orvantis && scripts/run.sh' >"$log" 2>&1; then
  fail "the program's command succeeded without a display"
fi
[ -x "$target/root/orvantis/build/orvantis" ] || fail "the first command built no program"
hint="$(tail -n 1 "$log")"
case "$hint" in
  "No display found"*xvfb-run*) ;;
  *) fail "the first command's last line is not its hint: $hint" ;;
esac

step "first command under xvfb-run: the title screen comes up and stays up"
in_root bash -c "cd /root/orvantis && exec xvfb-run -n $display -f /tmp/xauth \
  -s '-screen 0 1280x1024x24' scripts/run.sh" >"$log" 2>&1 &
title_comes_up $!

step "second command's unit layer"
waited in_root bash -c 'cd /root/orvantis && scripts/test.sh --unit' >"$log" 2>&1 ||
  fail "the unit tests did not pass in the fresh root"
grep -E "tests passed|Passed" "$log" | tail -n 1

step "passed"
