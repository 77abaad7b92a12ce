#!/bin/sh
# Watches the running dialer's banner on the virtual display and prints
# the time of every change of picture, with the interval since the last
# one: the rotation must come every 5.0 to 5.5 seconds and go ad1, ad2,
# ad3, ad1. Usage (after scripts/run-dialer has set things up):
#   tests/native/banner-watch.sh [SECONDS]
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-17}
wine="$root/scripts/wine"
out="$root/out/x86_64"
DISPLAY=:$("$root/scripts/xdisplay" | cut -c2-)
export DISPLAY
"$wine" "$out/tvdrive.exe" clean >/dev/null 2>&1 || true
"$wine" "$out/Tovalink.exe" &
"$wine" "$out/tvdrive.exe" wait-window 20000 >/dev/null
# the window is centred on the 1024 x 768 screen; the banner lies at (6, 160)
x=$(( (1024 - 233) / 2 + 6 )); y=$(( (768 - 234) / 2 + 160 ))
start=$(date +%s.%N); last=$start; previous=
end=$(echo "$start + $seconds" | bc)
while [ "$(echo "$(date +%s.%N) < $end" | bc)" = 1 ]; do
    sum=$(import -window root -crop 221x58+$x+$y rgb:- 2>/dev/null | md5sum | cut -c1-8)
    now=$(date +%s.%N)
    if [ "$sum" != "$previous" ]; then
        printf 'at %5.2f s picture %s (%.2f s after the last change)\n' \
            "$(echo "$now - $start" | bc)" "$sum" "$(echo "$now - $last" | bc)"
        previous=$sum; last=$now
    fi
    sleep 0.1
done
"$wine" "$out/tvdrive.exe" close 10000 >/dev/null 2>&1 || true
