#!/usr/bin/env bash
# Renders the README's pictures into docs/ from the release build (build it first): the clip
# at the top, the start view at scale 1 and 2, three views of the level and the contact sheet
# of the textures. Arguments are passed on to drav-render for the three views (the README's
# are made with `bash scripts/gallery.sh --scale 2`).
set -euo pipefail
cd "$(dirname "$0")/.."
render=build/release/tools/render/drav-render
data=build/release/data

"$render" --ticks 40 --camera 18,2,2.678,0 --gif docs/walk.gif --walk "U16 D16" >/dev/null
"$render" --png docs/start-view.png
"$render" --scale 2 --png docs/start-view-scale2.png
# view NAME TICKS X,Z,YAW: one picture of the gallery.
view() {
    "$render" --ticks "$2" --camera "$3" "${extra[@]}" --png "docs/gallery-$1.png"
}
extra=("$@")
view columns 0 -23,10.5,3.1416
view table 40 10,-6.5,2.43
view broken-pillars 0 -8,2.5,2.9
cp "$data/textures.png" docs/textures.png
