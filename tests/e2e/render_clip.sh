#!/usr/bin/env bash
# drav-render's GIF clips, read back by ImageMagick: the frame count and size a walk gives,
# the 3/100 s delay, a first frame that is drav-render's raw frame through the palette, and a
# demo's clip that ends on the demo's frame.
#   render_clip.sh DRAV_RENDER DATA_DIR DEMO
set -uo pipefail

render=$1
data=$2
demo=$3
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

# same_picture RAW GIF N: frame N of the clip (-1: the last), composed over the frames before
# it, is the 320x240 raw frame through the palette: a 6x6x6 cube of steps of 48, then 41 greys
# of i * 6.375 rounded half to even (Python's round) from index 215 on.
same_picture() {
    convert "$2" -coalesce -depth 8 "rgb:$work/decoded.rgb" || return 1
    python3 - "$1" "$work/decoded.rgb" "$3" <<'PY'
import sys
palette = [(48 * (i // 36), 48 * (i // 6 % 6), 48 * (i % 6)) for i in range(215)]
palette += [(round(i * 6.375),) * 3 for i in range(41)]
raw = open(sys.argv[1], "rb").read()
frames = open(sys.argv[2], "rb").read()
size = 320 * 240 * 3
count = len(frames) // size
index = int(sys.argv[3]) % count
expected = b"".join(bytes(palette[i]) for i in raw)
sys.exit(0 if len(raw) == 76800 and frames[index * size:(index + 1) * size] == expected else 1)
PY
}

# 31 ticks: the start frame and one after each of the 15 even ticks.
if "$render" --data "$data" --ticks 40 --camera 18,2,2.678,0 --raw "$work/start.raw" \
    --gif "$work/clip.gif" --walk "U20 L11" >"$work/clip.out" 2>&1; then
    grep -qx "clip: 16 frames" "$work/clip.out" || fail "no frame count line: $(cat "$work/clip.out")"
    canvases=$(identify -format '%Wx%H %T\n' "$work/clip.gif") || fail "identify cannot read the clip"
    [ "$(wc -l <<<"$canvases")" = 16 ] || fail "the clip has $(wc -l <<<"$canvases") frames, not 16"
    [ "$(sort -u <<<"$canvases")" = "320x240 3" ] ||
        fail "frames are not all 320x240 shown 3/100 s: $(sort -u <<<"$canvases" | tr '\n' ';')"
    same_picture "$work/start.raw" "$work/clip.gif" 0 || fail "frame 0 is not the raw frame"
else
    fail "drav-render --gif failed: $(cat "$work/clip.out")"
fi

# A clip of the demo's first 30 ticks, its checks compared on the way, ends on the frame that
# drav-render gives after tick 30.
if "$render" --data "$data" --play "$demo" --tick 30 --gif "$work/demo.gif" \
    --raw "$work/tick30.raw" >"$work/demo.out" 2>&1; then
    grep -qx "clip: 16 frames" "$work/demo.out" || fail "no frame count line: $(cat "$work/demo.out")"
    same_picture "$work/tick30.raw" "$work/demo.gif" -1 || fail "the demo clip's last frame is not tick 30's"
else
    fail "drav-render --play --gif failed: $(cat "$work/demo.out")"
fi
"$render" --data "$data" --play "$demo" --gif "$work/both.gif" --walk "U2" >/dev/null 2>&1
[ $? = 2 ] || fail "--walk with --play is not rejected with exit 2"

# A bad walk, or a walk without a clip, is a usage error that writes nothing.
"$render" --data "$data" --gif "$work/bad.gif" --walk "U0" >/dev/null 2>&1
[ $? = 2 ] || fail "a walk of a zero-tick step is not rejected with exit 2"
[ ! -e "$work/bad.gif" ] || fail "a rejected walk still wrote a clip"
"$render" --data "$data" --walk "U10" >/dev/null 2>&1
[ $? = 2 ] || fail "--walk without --gif is not rejected with exit 2"
# A clip in a folder that does not exist is refused before any work.
"$render" --data "$data" --gif "$work/no/such/folder/clip.gif" --walk "U2" >/dev/null 2>&1
[ $? = 2 ] || fail "a clip in a missing folder does not exit with 2"

[ "$failures" = 0 ] && echo "PASS"
