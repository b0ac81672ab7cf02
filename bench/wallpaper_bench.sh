#!/usr/bin/env bash
# What the live wallpaper costs, on a virtual X server at 1024x768: the demo movie against the
# same player and web view showing a still picture (the demo's first frame as a one-frame movie),
# measured in one run.
#   time from the player's start to the movie's first frame on the screen
#   CPU of the player and all its web processes while it plays, and while a window covers it
#   memory of them all: resident (RSS, shared pages counted in every process) and proportional
#   (PSS, shared pages split between the processes that share them)
#   wallpaper_bench.sh PACK PLAYER SOURCE_DIR
set -uo pipefail
if [ "${1:-}" != --inside ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$@"
fi
pack=$2 player=$3 src=$4
look="$src/tests/player/wallpaper_look.py"
work=$(mktemp -d /tmp/merrowin-wallpaper-bench-XXXXXX)
mkdir -m 700 "$work/run"
trap 'XDG_RUNTIME_DIR=$work/run "$player" --stop >/dev/null 2>&1; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run

page() { # page NAME MOVIE
  mkdir -p "$work/$1"
  cp "$2" "$work/$1/flashwallpaper.swf"
  "$pack" project --title "$1" --background '$003A2420' -o "$work/$1.txt"
  "$pack" page --project "$work/$1.txt" --folder "$work/$1/" >"$work/$1/$1.htm"
}
measure() { # measure NAME: sets first_frame, playing, covered, rss, pss
  local start pid
  start=$(date +%s.%N)
  "$player" "$work/$1/$1.htm" >/dev/null 2>&1 &
  pid=$!
  first_frame=timeout
  for _ in $(seq 200); do
    import -window root -depth 8 "$work/shot.ppm" 2>/dev/null
    read -r frame_share left _ < <(python3 "$look" frame "$work/shot.ppm")
    if [ "$left" != - ] && python3 -c "import sys; sys.exit(0 if $frame_share > 0.6 else 1)"; then
      first_frame=$(python3 -c "print('%.2f' % ($(date +%s.%N) - $start))")
      break
    fi
  done
  sleep 3
  playing=$(python3 "$look" cpu 10 "$pid")
  read -r rss pss < <(python3 "$look" memory "$pid")
  xmessage -geometry 1024x768+0+0 -center ' ' &
  local cover=$!
  sleep 2
  covered=$(python3 "$look" cpu 5 "$pid")
  kill "$cover"
  "$player" --stop >/dev/null 2>&1
  wait "$pid" 2>/dev/null
}

python3 "$src/tools/generate/demo-swf" --still "$work/still.swf"
page demo "$src/resources/demo/demo.swf" >/dev/null
page still "$work/still.swf" >/dev/null

measure still
still_first=$first_frame still_playing=$playing still_covered=$covered still_rss=$rss still_pss=$pss
measure demo
ratio() { python3 -c "print('%.2f' % ($1 / $2) if $2 > 0 else 'n/a')" 2>/dev/null || echo n/a; }
printf '%-34s %12s %12s %8s\n' "" "demo movie" "still page" "ratio"
printf '%-34s %11ss %11ss %8s\n' "start to first movie frame" "$first_frame" "$still_first" "$(ratio "$first_frame" "$still_first")"
printf '%-34s %12s %12s %8s\n' "CPU while shown (cores)" "$playing" "$still_playing" "$(ratio "$playing" "$still_playing")"
printf '%-34s %12s %12s\n' "CPU while covered (cores)" "$covered" "$still_covered"
printf '%-34s %10sMB %10sMB\n' "memory, RSS of all processes" "$rss" "$still_rss"
printf '%-34s %10sMB %10sMB\n' "memory, PSS of all processes" "$pss" "$still_pss"
