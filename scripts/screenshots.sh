#!/usr/bin/env bash
# Makes the documentation's screenshots anew (docs/images/*.png) from a build: the window on a
# virtual 1366x768 display with a window manager, driven by key presses as a user would, on a
# copy of the program in a scratch folder (its working folder, stock and settings are thrown
# away afterwards). Usage: scripts/screenshots.sh [BUILD_FOLDER] (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/setup.sh xvfb xdotool openbox imagemagick poppler-utils
[ -x "$build/dravenor" ] || { echo "no $build/dravenor: build it first (./run.sh builds build/)"; exit 2; }
out=docs/images
mkdir -p "$out"
scratch=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() { kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$scratch"; }
trap cleanup EXIT

cp "$build/dravenor" "$build/dravenor-cli" "$scratch/"
cp -r resources "$scratch/resources"
"$scratch/dravenor-cli" stock add --rect 3000x1500 --mat S235 --grade JR --thick 10 --qty 6 --stock "$scratch/stock" >/dev/null
"$scratch/dravenor-cli" stock add --rect 1200x800 --mat S235 --grade JR --thick 10 --qty 2 --stock "$scratch/stock" >/dev/null

Xvfb "$display" -screen 0 1366x768x24 >/dev/null 2>&1 & xvfb=$!
sleep 1
export DISPLAY=$display
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 & wm=$!
sleep 1
"$scratch/dravenor" "$scratch/resources/examples/example.nst" >/dev/null 2>&1 & app=$!
sleep 4

shot() { sleep "${2:-1.5}"; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
tools() { xdotool key alt+t; sleep 0.5; for ((i = 0; i < $1; ++i)); do xdotool key Down; done; xdotool key Return; }
close_dialog() { xdotool key Escape; sleep 0.7; }

shot main-window
xdotool mousemove 1067 191 click 1        # Show Cut Plan
xdotool mousemove 1000 450
shot cut-plan
xdotool mousemove 1067 191 click 1
tools 6; shot stock-window; close_dialog  # Tools > Stock...
tools 4; shot price-table; close_dialog   # Tools > Price Table
tools 5; shot quote-window; close_dialog  # Tools > Quote...
tools 3; shot cut-table; close_dialog     # Tools > Cut Table
tools 1; shot layout-editor 2.5           # Tools > Layout Editor
xdotool key alt+F4; sleep 1.5                  # the window manager asks the editor to close
xdotool search --name "^Dravenor - " windowactivate --sync >/dev/null; sleep 0.5
xdotool key alt+o; sleep 0.5; xdotool key f; sleep 0.5   # Optimize > Free Nesting
xdotool key F5; sleep 1; xdotool key shift+Tab space     # OK to a new run over the layouts
shot progress 3
xdotool key Return

# The common-line job nested for common lines, in the window: its cut plan with the skeleton cut up
# and microjoints of 3 mm (the working folder's post file), the whole layout and a joint close up.
(cd tests/data/common-line && mapfile -t A < job.args &&
 "$scratch/dravenor-cli" nest "${A[@]}" --mode deep --iterations 20 --threads 1 --seed 1 --common-line \
   --save "$scratch/cl.nst" >/dev/null)
sed 's/^skeleton_cut = 0/skeleton_cut = 400/' resources/post.cfg > "$scratch/cl-post.cfg"
sed 's/^microjoint_width = 0/microjoint_width = 3/' "$scratch/cl-post.cfg" > "$scratch/post.cfg"
kill "$app"; wait "$app" 2>/dev/null || true
"$scratch/dravenor" "$scratch/cl.nst" >/dev/null 2>&1 & app=$!
sleep 4
xdotool mousemove 1067 191 click 1        # Show Cut Plan
xdotool mousemove 1000 680
shot common-line-window
zoom() { xdotool mousemove "$1" "$2"; for ((i = 0; i < $3; ++i)); do xdotool click 4; sleep 0.3; done; }
zoom 868 322 8; zoom 885 329 4           # the wheel, twice, over the joint on the first plate's top
shot microjoints

# The same cut plan as the batch tool prints it, without microjoints.
QT_QPA_PLATFORM=offscreen "$scratch/dravenor-cli" print "$scratch/cl.nst" --layout 1 --cut-plan --landscape \
  --post "$scratch/cl-post.cfg" --cut-table resources/cutting.dat --pdf "$scratch/whole.pdf" >/dev/null
pdftoppm -png -r 110 -f 1 -l 1 "$scratch/whole.pdf" "$scratch/whole"
convert "$scratch"/whole-*1.png -crop 1250x625+28+28 +repage "$out/common-line-cut-plan.png"
echo "wrote $out/common-line-cut-plan.png"
