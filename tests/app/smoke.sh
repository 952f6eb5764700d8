#!/bin/sh
# Starts the real program under a virtual X server on a card, saves a picture of its window,
# of the calendar and of a question box (both must wear the skin's dark colours), opens the map,
# plays the first recording full screen with the pointer in the bottom band and saves a picture of
# the screen, another with the telemetry over the video, leaves full screen with Esc, saves a
# picture of the enlarged map with the video over it, and checks that the program keeps running
# and then ends cleanly when asked to.
set -eu
program=$1 card=$2 screenshots=$3
mkdir -p "$screenshots"
pictures="main-window full-screen full-screen-overlay enlarged-map calendar date-filter message-box"
for picture in $pictures; do rm -f "$screenshots/$picture.png"; done
xvfb-run -a -s "-screen 0 1280x720x24" sh -c '
    program=$0 card=$1 screenshots=$2
    "$program" --card "$card" &
    pid=$!
    sleep 5
    kill -0 $pid || { echo "the program ended at start-up"; exit 1; }
    eval "$(xdotool search --onlyvisible --name "VESKA Karvenna" getwindowgeometry --shell)"
    grab() { # window picture
        eval "$(xdotool getwindowgeometry --shell "$1")"
        ffmpeg -v error -y -f x11grab -video_size ${WIDTH}x$HEIGHT -i "$DISPLAY+$X,$Y" \
            -frames:v 1 "$screenshots/$2.png"
    }
    window=$(xdotool search --onlyvisible --name "VESKA Karvenna")
    grab "$window" main-window
    # The calendar, taken as it opened (on the newest recorded day), shows that day beside its
    # button; a second click turns the filter off again.
    xdotool mousemove $((X + 925)) $((Y + 64)) click 1
    sleep 1
    calendar=$(xdotool search --onlyvisible --name "Select Date")
    grab "$calendar" calendar
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Return
    sleep 1
    grab "$window" date-filter
    xdotool mousemove $((X + 925)) $((Y + 64)) click 1
    sleep 1
    # Delete asks first, naming the marked recording; Esc answers Cancel and the mark goes again.
    xdotool mousemove $((X + 981)) $((Y + 136)) click 1 mousemove $((X + 992)) $((Y + 64)) click 1
    sleep 1
    question=$(xdotool search --onlyvisible --name "VESKA Karvenna" | grep -vx "$window")
    grab "$question" message-box
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Escape
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 981)) $((Y + 136)) click 1
    # Double-click the first recording, open the map pane (the window must stay where it is
    # when the browser arrives), then press the window'\''s full-screen button.
    xdotool mousemove $((X + 770)) $((Y + 136)) click --repeat 2 --delay 80 1
    sleep 1
    before="$X,$Y"
    xdotool mousemove $((X + 990)) $((Y + 650)) click 1
    sleep 3
    eval "$(xdotool search --onlyvisible --name "VESKA Karvenna" getwindowgeometry --shell)"
    [ "$X,$Y" = "$before" ] || { echo "opening the map moved the window from $before to $X,$Y"; exit 1; }
    xdotool mousemove $((X + 663)) $((Y + 64)) click 1
    sleep 2
    xdotool mousemove 640 200 sleep 0.5 mousemove 640 700
    sleep 1
    ffmpeg -v error -y -f x11grab -video_size 1280x720 -i "$DISPLAY" \
        -frames:v 1 "$screenshots/full-screen.png"
    kill -0 $pid || { echo "the program ended in full-screen mode"; exit 1; }
    # Esc, here received by the control bar under the pointer, returns to the window; before
    # that t lays the telemetry over the video, taken with the bars gone.
    xdotool key t mousemove 640 360
    sleep 1
    ffmpeg -v error -y -f x11grab -video_size 1280x720 -i "$DISPLAY" \
        -frames:v 1 "$screenshots/full-screen-overlay.png"
    xdotool mousemove 640 700 sleep 0.5 key t key Escape
    sleep 1
    eval "$(xdotool search --onlyvisible --name "VESKA Karvenna" getwindowgeometry --shell)"
    [ "${WIDTH}x$HEIGHT" = 1022x682 ] || { echo "Esc left the window at ${WIDTH}x$HEIGHT"; exit 1; }
    # The map pane is open: its enlarge button stands above it.
    xdotool mousemove $((X + 955)) $((Y + 452)) click 1
    sleep 2
    grab "$window" enlarged-map
    kill -TERM $pid
    wait $pid || { echo "the program did not end cleanly"; exit 1; }
' "$program" "$card" "$screenshots"
# A blank or missing window compresses to a few kilobytes; a dialog is smaller than a window.
for picture in $pictures; do
    screenshot="$screenshots/$picture.png"
    case $picture in calendar | message-box) least=4000 ;; *) least=30000 ;; esac
    size=$(wc -c < "$screenshot")
    [ "$size" -gt $least ] || { echo "$screenshot looks empty ($size bytes)"; exit 1; }
    echo "screenshot: $screenshot"
done
