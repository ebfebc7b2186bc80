#!/bin/sh
# Real-window check under Xvfb: starts the program, answers the start-up
# message, sets the players, lays C-A-T across the centre with real mouse
# drags (xdotool), commits it, types a rack, presses Enter to search, lays a
# blank and commits it, searches again, switches the View menu to 150 % and
# 200 % (a real drag at 200 % too), and takes PNG screenshots along the way;
# then times Quit to the process's exit. Also takes the start state at 2x
# scale.
# A second run types a move with real key presses and lays a result.
#
#   sh scripts/screenshots.sh [OUTDIR]     (default: build/screenshots)
#
# BUILD names the build directory holding bin/tilvan (default build/release).
# Needs: xvfb xauth xdotool imagemagick (scripts/deps.sh x11).
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
build=${BUILD:-build/release}
program=$(realpath "$build/bin/tilvan")
mkdir -p "$out"

if [ "${TILVAN_INSIDE_XVFB:-}" != 1 ]; then
  export TILVAN_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1400x1300x24" sh "$0" "$out"
fi

fail() { echo "screenshots: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

# Centre of a control given in twips (Left Top Width Height), in screen
# pixels: the window sits at the origin of a screen without a window manager,
# its client area `dy` pixels down, below the menu bar.
at() { echo $(( ($1 + $3 / 2) * scale / 15 )) $(( ($2 + $4 / 2) * scale / 15 + dy )); }

click() { xdotool mousemove $(at "$@") click 1; sleep 0.3; }

# Presses on a tile picture and drags it, in small steps, to (x, y).
drag() {
  set -- $(at "$1" "$2" 225 225) "$3" "$4"
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.2
  x=$1 y=$2
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $(( x + ($3 - x) * i / 10 )) $(( y + ($4 - y) * i / 10 ))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.4
}

# Screen pixel of the middle of main board square (row, col).
square() { echo $(( (1960 + 270 * $2 + 112) * scale / 15 )) $(( (390 + 270 * $1 + 112) * scale / 15 + dy )); }

# ImageMagick's convert (another program of that name may come first).
magick=convert
[ -x /usr/bin/convert ] && magick=/usr/bin/convert

# The colour of screen pixel (x, y) in an image, as "r,g,b".
pixel() { $magick "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# Each run starts with no autosaved game of an earlier run to resume.
state=$(mktemp -d)
start() {
  rm -rf "$state/tilvan"
  XDG_STATE_HOME=$state QT_SCALE_FACTOR=$scale "$program" "$@" 2>/dev/null &
  pid=$!
  msg=$(xdotool search --sync --onlyvisible --name '^TILVAN$' | head -1) || fail "no start-up message"
  xdotool windowfocus --sync "$msg" key Return
  win=$(xdotool search --sync --onlyvisible --name 'Tilvane Crossword' | head -1) || fail "no window"
  sleep 0.8
  # The client area starts where the main board's black top edge, 24 pixels
  # below the client area's top, is found.
  import -window root -crop 1x$((120 * scale))+$((133 * scale))+0 "$out/.column.png"
  dy=$($magick "$out/.column.png" -depth 8 txt:- |
    awk -F'[,:]' '/#000000/ { print $2 - 24 * s; exit }' s="$scale")
  rm -f "$out/.column.png"
  [ -n "$dy" ] || fail "no board found"
}

shot() { import -window root -crop $((658 * scale))x$((620 * scale))+0+$dy "$out/$1"; }

# The start state at 2x scale: crisp tiles and board.
scale=2
start
shot start-2x.png
kill "$pid"; wait "$pid" 2>/dev/null || true

scale=1
start
xdotool key ctrl+1  # the design's size, whatever the last run chose
sleep 0.3
shot start.png
# The whole window with its menu bar, the Words menu open, and the status line.
xdotool mousemove 20 $((dy / 2)) click 1
sleep 0.4
import -window root -crop 658x$((620 + 2 * dy))+0+0 "$out/words.png"
xdotool key Escape
sleep 0.2

# Two players, the user second.
click 1560 4125 255 285; xdotool key ctrl+a type 2; click 0 4080 1455 375
click 1680 4605 255 285; xdotool key ctrl+a type 2; click 0 4560 1575 375

# C, A, T from their stacks onto row 7, columns 6 to 8, by mouse.
drag 7560 360 $(square 7 6)
drag 6360 360 $(square 7 7)
drag 8160 2760 $(square 7 8)
shot laid.png
for c in 6 7 8; do
  set -- $(square 7 $c)
  colour=$(pixel "$out/laid.png" "$1" $(($2 - dy)))
  [ "$colour" != "255,255,255" ] || fail "no tile on square 7,$c after the drag"
done
echo "three tiles laid by mouse drags"

click 8895 1200 855 495  # USE
click 2280 4680 2175 285; xdotool type eorsnid; xdotool key Return
sleep 0.5
shot search.png

# A blank under the C: the blank tile dialog, answered "s".
drag 7920 3960 $(square 8 6)
dialog=$(xdotool search --sync --onlyvisible --name '^Blank Tile$' | head -1) || fail "no blank dialog"
shot blank.png
xdotool windowfocus --sync "$dialog" type s
xdotool key Return
sleep 0.4

# The blank committed: drawn as a blank on both boards, under a new search
# whose tiles to lay are marked.
click 8895 1200 855 495  # USE
click 2280 4680 2175 285; xdotool key ctrl+a type AE; xdotool key Return
sleep 0.5
shot blanks.png

# The View menu's larger sizes (Ctrl+2, Ctrl+3), then back to 100 %.
xdotool key ctrl+2; sleep 0.6
import -window "$win" "$out/view-150.png"
xdotool key ctrl+3; sleep 0.6
import -window "$win" "$out/view-200.png"
# A real drag at 200 % lands on the square under the pointer.
scale=2
drag 6360 960 $(square 9 10)
import -window root "$out/.zoomed.png"
colour=$(pixel "$out/.zoomed.png" $(square 9 10))
rm -f "$out/.zoomed.png"
[ "$colour" != "255,255,255" ] || fail "no tile on square 9,10 after the drag at 200 %"
echo "a tile laid by a mouse drag at 200 %"
scale=1
xdotool key ctrl+1; sleep 0.4

# The About box, closed with Enter.
click 8760 8640 975 615
about=$(xdotool search --sync --onlyvisible --name '^About TILVAN' | head -1) || fail "no About box"
sleep 0.4
import -window "$about" "$out/about.png"
xdotool windowfocus --sync "$about" key Return
sleep 0.3
# Quit, timed from the click to the end of the process.
xdotool mousemove $(at 120 3120 1575 615)
before=$(date +%s%N)
xdotool click 1
wait "$pid" 2>/dev/null || true
echo "quit to process exit: $(( ($(date +%s%N) - before) / 1000000 )) ms"
echo "screenshots in $out: start.png start-2x.png words.png laid.png search.png blank.png blanks.png"\
  "view-150.png view-200.png about.png"

# A move typed with real key presses: a click on square 7,6 sets the cursor,
# C-A-T is typed, Enter commits it; then a search's first result is laid
# from the result button's context menu.
start
click 1560 4125 255 285; xdotool key ctrl+a type 2; click 0 4080 1455 375
click 1680 4605 255 285; xdotool key ctrl+a type 1; click 0 4560 1575 375
xdotool mousemove $(square 7 6) click 1
sleep 0.3
xdotool type cat
sleep 0.4
shot typed.png
for c in 6 7 8; do
  set -- $(square 7 $c)
  colour=$(pixel "$out/typed.png" "$1" $(($2 - dy)))
  [ "$colour" != "255,255,255" ] || fail "no tile on square 7,$c after typing"
done
echo "three tiles laid by typing"
xdotool key Return
sleep 0.4
click 2280 4680 2175 285; xdotool type eorsnid; xdotool key Return
sleep 0.5
xdotool mousemove $(at 4680 5160 255 255) click 3
sleep 0.4
shot lay-menu.png
xdotool key Down Return
sleep 0.5
shot lay.png
click 120 3120 1575 615  # Quit
wait "$pid" 2>/dev/null || true
echo "screenshots of typing and laying in $out: typed.png lay-menu.png lay.png"
