#!/usr/bin/env bash
# Exporting an incident pack against ffmpeg burning in text: a 60 s 1280x720 30 fps recording
# of the demo card, exported whole with karvenna-cli incident (the clip re-encoded with the
# telemetry of every picture drawn in, plus originals, track, report and hashes) against
# ffmpeg re-encoding the same recording with five drawtext lines of changing text, both libx264
# at the same preset and quality with AAC sound. CPU time (user + system) of each; the figure
# ends with a line `ratio incident_vs_ffmpeg_drawtext VALUE` for scripts.
# Usage: bench/incident/incident-bench.sh   (run it while nothing else loads the machine)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-cli karvenna-democard
build=build/bench
cli=$build/app/karvenna-cli
seconds=60

media=$build/media
card=$media/incident-card
if [ ! -d "$card" ]; then
    echo "Writing a demo card of one ${seconds} s 1280x720 recording (once) to $card"
    "$build/tools/democard/karvenna-democard" "$card" --days 1 --per-day 1 --seconds "$seconds" \
        --size 1280x720 --fps 30
fi
recording=$(find "$card/Recordings" -maxdepth 1 -name '*_NOR.*' | sort | head -n 1)
name=$(basename "$recording")
from=$(python3 -c "import sys; n=sys.argv[1]; print(f'{n[0:4]}-{n[4:6]}-{n[6:8]}T{n[9:11]}:{n[11:13]}:{n[13:15]}')" "$name")
to=$(python3 -c "import datetime,sys; t=datetime.datetime.fromisoformat(sys.argv[1]); print((t + datetime.timedelta(seconds=int(sys.argv[2]))).isoformat())" "$from" "$seconds")
font=$(fc-match -f '%{file}' 'Noto Sans:bold')

# Under the build lock from here on: a build beside it would spoil the figures.
exec 9>/tmp/karvenna-build.lock
flock 9

cpu() { # prints the CPU seconds (user + system) of the command
    /usr/bin/time -f "%U %S" -o "$media/time.txt" "$@" >/dev/null 2>&1
    awk '{ printf "%.2f\n", $1 + $2 }' "$media/time.txt"
}
ratio() { python3 -c "import sys; print(f'{float(sys.argv[1]) / float(sys.argv[2]):.2f}')" "$1" "$2"; }

rm -rf "$media/incident-pack"
incident=$(cpu "$cli" incident "$card" --from "$from" --to "$to" -o "$media/incident-pack")
"$cli" verify "$media/incident-pack" >/dev/null

line() { # one drawtext line at row $1 with text $2
    printf "drawtext=fontfile=%s:fontsize=30:fontcolor=white:box=1:boxcolor=black@0.6:x=12:y=%d:text='%s'" \
        "$font" $((12 + 36 * $1)) "$2"
}
filter="$(line 0 '%{pts\:gmtime\:0\:%Y-%m-%d %H\\\:%M\\\:%S}'),$(line 1 'GPS %{pts\:hms} UTC'),$(line 2 '%{eif\:40+10*sin(t)\:d} km/h'),$(line 3 'G x %{eif\:n%7\:d}  y %{eif\:n%5\:d}  z %{eif\:n%3\:d}'),$(line 4 '37.55201, 126.97612')"
ffmpeg=$(cpu ffmpeg -hide_banner -loglevel error -y -i "$recording" -t "$seconds" -vf "$filter" \
    -c:v libx264 -preset veryfast -crf 20 -c:a aac -b:a 128k "$media/drawtext.mp4")

echo "== Export of ${seconds} s of 1280x720 at 30 fps with the telemetry burned in ($(cut -d' ' -f1-3 /proc/loadavg) load)"
echo "karvenna-cli incident ${incident} s CPU   ffmpeg drawtext ${ffmpeg} s CPU"
echo "ratio incident_vs_ffmpeg_drawtext $(ratio "$incident" "$ffmpeg")"
