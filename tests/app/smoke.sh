#!/bin/sh
# Starts the real program under a virtual X server on a card, saves a picture of its window, and
# checks that it keeps running and then ends cleanly when asked to.
set -eu
program=$1 card=$2 screenshot=$3
mkdir -p "$(dirname "$screenshot")"
rm -f "$screenshot"
xvfb-run -a -s "-screen 0 1022x682x24" sh -c '
    "$0" --card "$1" &
    pid=$!
    sleep 5
    kill -0 $pid || { echo "the program ended at start-up"; exit 1; }
    ffmpeg -v error -y -f x11grab -video_size 1022x682 -i "$DISPLAY" -frames:v 1 "$2"
    kill -TERM $pid
    wait $pid || { echo "the program did not end cleanly"; exit 1; }
' "$program" "$card" "$screenshot"
# A blank or missing window compresses to a few kilobytes.
size=$(wc -c < "$screenshot")
[ "$size" -gt 30000 ] || { echo "the screenshot looks empty ($size bytes)"; exit 1; }
echo "screenshot: $screenshot"
