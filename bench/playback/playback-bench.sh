#!/usr/bin/env bash
# The playback engine side by side with the tools a user would otherwise use, on a 60 s 1080p30
# H.264 clip with a key frame every second, as the camera records:
#   1. decoding and converting every frame to 688 x 387 BGRA as fast as possible, against
#      ffmpeg -i CLIP -vf scale=688:387 -pix_fmt bgra -f null -
#   2. 100 random exact seeks (median, 95th percentile) against decoding one group of pictures
#   3. CPU time and peak memory playing 30 s with sound: the program's window playing the clip
#      from a card against mpv --vo=x11 --ao=pulse in a window of the video area's size, both
#      under one Xvfb and to one PulseAudio null sink, medians of five turns each; and
#      karvenna-cli play against mpv --vo=null --ao=null
#   4. opening a three-minute 1080p30 AVI cut by a power loss (no idx1, sizes and lengths 0), its
#      index rebuilt, against opening the finished file and against ffprobe on the cut one
# Sound goes to a PulseAudio server of our own with a null sink. Each figure ends with a line
# `ratio NAME VALUE` for scripts.
# Usage: bench/playback/playback-bench.sh   (run it while nothing else loads the machine)
set -euo pipefail
cd "$(dirname "$0")/../.."

bench/build.sh karvenna-playback-bench karvenna-cli karvenna
build=build/bench
bench=$build/bench/playback/karvenna-playback-bench
cli=$build/app/karvenna-cli
program=$build/app/karvenna

media=$build/media
mkdir -p "$media"
clip=$media/clip-1080p30.MP4
short=$media/clip-1080p30-30s.MP4
if [ ! -f "$clip" ]; then
    echo "Encoding a 60 s 1080p30 clip (once) to $clip"
    ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=60 \
        -f lavfi -i sine=frequency=440:sample_rate=48000:duration=60 -c:v libx264 -preset veryfast \
        -g 30 -pix_fmt yuv420p -c:a aac -ac 2 "$clip"
    ffmpeg -hide_banner -loglevel error -y -i "$clip" -t 30 -c copy "$short"
fi
# The short clip as the camera names it, on a card of its own for the program's window.
card=$media/play-card
mkdir -p "$card/Recordings"
ln -f "$short" "$card/Recordings/20261201_080000_NOR.MP4"

avi=$media/clip-1080p30-3min.AVI
cutAvi=$media/clip-1080p30-3min-power-cut.AVI
if [ ! -f "$cutAvi" ]; then
    echo "Encoding a 3 min 1080p30 AVI with PCM sound, as the camera records (once)"
    ffmpeg -hide_banner -loglevel error -y -stream_loop 2 -i "$clip" -t 180 -c:v copy \
        -c:a pcm_s16le -bsf:v h264_mp4toannexb "$avi"
    # What the power cut leaves: no idx1; RIFF and movi sizes, total frames, stream lengths 0.
    python3 - "$avi" "$cutAvi" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], 'rb').read())
end = data.rfind(b'idx1')
data[4:8] = bytes(4)
movi = data.find(b'movi')
data[movi - 4:movi] = bytes(4)
avih = data.find(b'avih')
data[avih + 24:avih + 28] = bytes(4)
strh = data.find(b'strh')
while strh >= 0:
    data[strh + 40:strh + 44] = bytes(4)
    strh = data.find(b'strh', strh + 4)
open(sys.argv[2], 'wb').write(data[:end])
PY
fi

# Under the build lock from here on: a build beside it would spoil the figures.
exec 9>/tmp/karvenna-build.lock
flock 9

ratio() { python3 -c "import sys; print(f'{float(sys.argv[1]) / float(sys.argv[2]):.2f}')" "$1" "$2"; }

echo "== 1. Decode and convert 60 s of 1080p30 to 688x387 BGRA"
hyperfine --runs 3 --warmup 1 --export-json "$media/decode.json" \
    -n engine "$bench decode $clip" \
    -n ffmpeg "ffmpeg -hide_banner -loglevel error -i $clip -vf scale=688:387 -pix_fmt bgra -f null -"
read -r engine ffmpeg < <(python3 -c "import json,sys; r=json.load(open(sys.argv[1]))['results']; print(r[0]['mean'], r[1]['mean'])" "$media/decode.json")
echo "engine ${engine}s  ffmpeg ${ffmpeg}s  ratio $(ratio "$engine" "$ffmpeg") (aim: within 1.1)"
echo "ratio decode_vs_ffmpeg $(ratio "$engine" "$ffmpeg")"

echo "== 2. Exact seeks against one group of pictures"
read -r _ seekMedian _ seekP95 < <("$bench" seek "$clip" 100)
read -r _ gop < <("$bench" gop "$clip")
echo "seek median ${seekMedian} ms  p95 ${seekP95} ms  one GOP ${gop} ms"
echo "median / GOP $(ratio "$seekMedian" "$gop") (aim: at most 0.5)  p95 / GOP $(ratio "$seekP95" "$gop") (aim: under 1.0)"
echo "ratio seek_median_vs_gop $(ratio "$seekMedian" "$gop")"
echo "ratio seek_p95_vs_gop $(ratio "$seekP95" "$gop")"

echo "== 3. Playing 30 s with sound: CPU time and peak memory ($(cut -d' ' -f1-3 /proc/loadavg) load)"
runtime=$(mktemp -d)
source bench/xvfb.sh
start_xvfb
trap 'XDG_RUNTIME_DIR=$runtime pulseaudio --kill 2>/dev/null || true; kill $xvfb 2>/dev/null || true
      rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime pulseaudio -D -n --exit-idle-time=-1 --load=module-null-sink \
    --load=module-native-protocol-unix 2>/dev/null
sleep 1
measure() { # prints "cpu-seconds max-rss-kb" of the command
    XDG_RUNTIME_DIR=$runtime /usr/bin/time -f "%U %S %M" -o "$media/time.txt" "$@" >/dev/null 2>&1
    awk '{ printf "%.2f %d\n", $1 + $2, $3 }' "$media/time.txt"
}
# The window plays 30 s and stops on the last picture; 2 s more let the sound drain. CPU time on
# a small machine varies by a tenth between runs: the two take turns five times, and the
# medians count.
median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }
windowCpus=() windowRsss=() mpvCpus=() mpvRsss=()
for run in 1 2 3 4 5; do
    read -r cpu rss < <(DISPLAY=$display HOME=$runtime XDG_CONFIG_HOME=$runtime/config \
        XDG_RUNTIME_DIR=$runtime python3 bench/playback/window-play.py "$program" "$card" 32)
    windowCpus+=("$cpu") windowRsss+=("$rss")
    read -r cpu rss < <(DISPLAY=$display measure mpv --no-config --vo=x11 --ao=pulse \
        --geometry=688x387 --volume=50 "$short")
    mpvCpus+=("$cpu") mpvRsss+=("$rss")
    echo "run $run: window ${windowCpus[-1]} s CPU, peak ${windowRsss[-1]} KiB   mpv window ${cpu} s CPU, peak ${rss} KiB   CPU $(ratio "${windowCpus[-1]}" "$cpu")"
done
windowCpu=$(median "${windowCpus[@]}") windowRss=$(median "${windowRsss[@]}")
mpvWindowCpu=$(median "${mpvCpus[@]}") mpvWindowRss=$(median "${mpvRsss[@]}")
echo "medians: window ${windowCpu} s CPU, peak ${windowRss} KiB   mpv window ${mpvWindowCpu} s CPU, peak ${mpvWindowRss} KiB"
echo "CPU $(ratio "$windowCpu" "$mpvWindowCpu") (aim: at most 0.8)  peak memory $(ratio "$windowRss" "$mpvWindowRss") (aim: at most 1.3)"
echo "ratio cpu_vs_mpv_window $(ratio "$windowCpu" "$mpvWindowCpu")"
echo "ratio rss_vs_mpv_window $(ratio "$windowRss" "$mpvWindowRss")"
read -r engineCpu engineRss < <(measure "$cli" play "$short" --volume 50)
read -r mpvCpu mpvRss < <(measure mpv --no-config --vo=null --ao=null "$short")
echo "karvenna-cli play ${engineCpu} s CPU, peak ${engineRss} KiB   mpv without window or sound ${mpvCpu} s CPU, peak ${mpvRss} KiB"
echo "CPU ratio $(ratio "$engineCpu" "$mpvCpu")"

echo "== 4. Opening a 3 min AVI cut by a power loss (index rebuilt) against the finished one"
read -r _ cutOpen < <("$bench" open "$cutAvi" 10)
read -r _ wholeOpen < <("$bench" open "$avi" 10)
hyperfine --runs 10 -N --export-json "$media/ffprobe.json" "ffprobe -v error $cutAvi" >/dev/null
ffprobeTime=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1]))['results'][0]['mean'] * 1000)" "$media/ffprobe.json")
echo "power cut ${cutOpen} ms  finished ${wholeOpen} ms  ffprobe on the cut one ${ffprobeTime} ms"
echo "power cut / finished $(ratio "$cutOpen" "$wholeOpen")  power cut / ffprobe $(ratio "$cutOpen" "$ffprobeTime") (aim: well under a second)"
