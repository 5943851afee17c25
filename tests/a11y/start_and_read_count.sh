#!/usr/bin/env bash
# Runs start_and_read_count.py against the program on the simulated tool,
# under a virtual X server with an accessibility bus of its own:
#   tests/a11y/start_and_read_count.sh build/bin/mfs380a [TIMEOUT_SECONDS]
# Exit status 77 (skipped) when xvfb-run, dbus-run-session or pyatspi is
# missing (scripts/setup installs them).
set -u
program=$(realpath "$1")
timeout=${2:-90}
here=$(cd "$(dirname "$0")" && pwd)

for tool in xvfb-run dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi missing"; exit 77; }

# Everything private: the accessibility bus socket lives under
# XDG_RUNTIME_DIR, preferences under XDG_DATA_HOME, the program's message
# channel is named after USER.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export USER="a11y-test-$$" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM

xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" dbus-run-session -- bash -c '
  "$1" --simulate >"$3/program.log" 2>&1 &
  pid=$!
  timeout "$4" /usr/bin/python3 "$2/start_and_read_count.py" "$4"
  status=$?
  # The script exits the program; make sure it is gone either way.
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill "$pid" 2>/dev/null && { echo "the program did not exit"; status=1; }
  wait "$pid" 2>/dev/null
  [ "$status" -eq 0 ] || cat "$3/program.log"
  exit "$status"
' bash "$program" "$here" "$work" "$timeout"
