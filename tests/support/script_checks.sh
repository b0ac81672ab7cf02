# Sourced by the tests written in shell that run our programs and look at them from outside.
#   fail TEXT            counts a failed check;  finish  ends the test with the count's verdict
#   step SECONDS CMD     runs a command that may not hang the test
#   program_ends SECONDS waits for the program $pid to end: then sets $status, empties $pid and
#                        returns 0; returns 1 while it still runs
#   window_geometry WIN  sets $left $top $width $height of an X window, as xdotool sees it

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
step() {
  local seconds=$1
  shift
  timeout -k 5 "$seconds" "$@"
}
program_ends() {
  local tenth
  for tenth in $(seq $(($1 * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  status=$?
  pid=
  return 0
}
window_geometry() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$1")
  read -r left top < <(sed -n 's/^ *Position: \([-0-9]*\),\([-0-9]*\).*/\1 \2/p' <<<"$geometry")
  read -r width height < <(sed -n 's/^ *Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' <<<"$geometry")
}
