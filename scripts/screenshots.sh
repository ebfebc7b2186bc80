#!/bin/sh
# Real-window check under Xvfb: starts the program, answers the start-up
# message, sets the players, lays C-A-T across the centre with real mouse
# drags (xdotool), commits it, types a rack, presses Enter to search, lays a
# blank and commits it, searches again, switches the View menu to 150 % and
# 200 % (a real drag at 200 % too), and takes PNG screenshots along the way;
# then times Quit to the process's exit. Also takes the start state at 2x
# scale.
# A second run types a move with real key presses (the status line shows
# its score and words before USE), lays a result, ends the game with a
# wrong rack first (the End game dialog stays open, the box marked), and
# shows the game over and the score sheet.
# Two more runs on screens of 1366x768 and 1920x1080 show the zoom that the
# window starts with there, a move typed from the keyboard only, and the
# 200 % window, which stays within the screen and scrolls.
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
  for screen in 1366x768 1920x1080; do
    TILVAN_SCREEN=$screen xvfb-run -a -s "-screen 0 ${screen}x24" sh "$0" "$out"
  done
  exec xvfb-run -a -s "-screen 0 1400x1400x24" sh "$0" "$out"
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

# Each run starts with no autosaved game of an earlier run to resume, and
# settings of its own: the design's size unless `zoom` says otherwise (empty:
# none chosen, the window picks one that fits the screen).
state=$(mktemp -d)
zoom=100
start() {
  rm -rf "$state/tilvan" "$state/config"
  mkdir -p "$state/config/tilvan"
  [ -z "$zoom" ] || printf '[window]\nzoom=%s\n' "$zoom" >"$state/config/tilvan/tilvan.conf"
  XDG_STATE_HOME=$state XDG_CONFIG_HOME=$state/config QT_SCALE_FACTOR=$scale "$program" "$@" \
    2>/dev/null &
  pid=$!
  msg=$(xdotool search --sync --onlyvisible --name '^TILVAN$' | head -1) || fail "no start-up message"
  xdotool windowfocus --sync "$msg" key Return
  win=$(xdotool search --sync --onlyvisible --name 'Tilvane Crossword' | head -1) || fail "no window"
  sleep 0.8
  finddy
}

# The client area starts where the main board's black top edge, 24 pixels
# below the client area's top, is found (the menu bar above it grows with
# the zoom).
finddy() {
  import -window root -crop 1x$((120 * scale))+$((133 * scale))+0 "$out/.column.png"
  dy=$($magick "$out/.column.png" -depth 8 txt:- |
    awk -F'[,:]' '/#000000/ { print $2 - 24 * s; exit }' s="$scale")
  rm -f "$out/.column.png"
  [ -n "$dy" ] || fail "no board found"
}

shot() { import -window root -crop $((658 * scale))x$((620 * scale))+0+$dy "$out/$1"; }

# The whole window with its menu bar and status line.
window() { import -window "$win" "$out/$1"; }

if [ -n "${TILVAN_SCREEN:-}" ]; then
  # The zoom the window picks on this screen, a move typed with keys only
  # (its score in the status line), then 200 %.
  scale=1 zoom=
  XDG_STATE_HOME=$state XDG_CONFIG_HOME=$state/config "$program" 2>/dev/null &
  pid=$!
  msg=$(xdotool search --sync --onlyvisible --name '^TILVAN$' | head -1) || fail "no start-up message"
  xdotool windowfocus --sync "$msg" key Return
  win=$(xdotool search --sync --onlyvisible --name 'Tilvane Crossword' | head -1) || fail "no window"
  sleep 0.8
  xdotool windowfocus --sync "$win"
  xdotool key ctrl+a type 2; xdotool key Return Tab Tab ctrl+a; xdotool type 1; xdotool key Return
  xdotool key ctrl+b Left Left; xdotool type quart
  sleep 0.4
  import -window root "$out/screen-$TILVAN_SCREEN-start.png"
  xdotool key ctrl+5; sleep 0.8
  import -window root "$out/screen-$TILVAN_SCREEN-200.png"
  size=$(xdotool getwindowgeometry "$win" | awk '/Geometry/ { print $2 }')
  echo "screen $TILVAN_SCREEN: the window at 200 % is $size"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "screenshots in $out: screen-$TILVAN_SCREEN-start.png screen-$TILVAN_SCREEN-200.png"
  exit 0
fi

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
import -window root -crop 658x$((620 + dy + 45))+0+0 "$out/words.png"
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

# The View menu's larger sizes (Ctrl+3, Ctrl+5), then back to 100 %.
xdotool key ctrl+3; sleep 0.6
import -window "$win" "$out/view-150.png"
xdotool key ctrl+5; sleep 0.6
import -window "$win" "$out/view-200.png"
# A real drag at 200 % lands on the square under the pointer.
scale=2
finddy
drag 6360 960 $(square 9 10)
import -window root "$out/.zoomed.png"
colour=$(pixel "$out/.zoomed.png" $(square 9 10))
rm -f "$out/.zoomed.png"
[ "$colour" != "255,255,255" ] || fail "no tile on square 9,10 after the drag at 200 %"
echo "a tile laid by a mouse drag at 200 %"
scale=1
xdotool key ctrl+1; sleep 0.4
finddy

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
window typed-window.png  # the move's score and words in the status line
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
xdotool key Return  # the laid result committed (the board has the keyboard)
sleep 0.4
# End game from the Game menu (its last entry): a rack with more Q tiles
# than the set holds is refused, the dialog stays with that box marked.
xdotool key alt+g Up Return
dialog=$(xdotool search --sync --onlyvisible --name '^End game$' | head -1) || fail "no End game dialog"
xdotool windowfocus --sync "$dialog" type qz
xdotool key Tab; xdotool type qq; xdotool key Return
sleep 0.5
msg=$(xdotool search --sync --onlyvisible --name '^TILVAN$' | head -1) || fail "no message"
xdotool windowfocus --sync "$msg" key Return
sleep 0.4
import -window "$dialog" "$out/endgame-marked.png"
xdotool windowfocus --sync "$dialog" key ctrl+a; xdotool type e; xdotool key Return
sleep 0.5
window gameover.png
xdotool windowfocus --sync "$win" key alt+g Up Up Return
sheet=$(xdotool search --sync --onlyvisible --name '^Score sheet$' | head -1) || fail "no score sheet"
sleep 0.4
import -window "$sheet" "$out/scoresheet.png"
xdotool windowfocus --sync "$sheet" key Escape
sleep 0.3
click 120 3120 1575 615  # Quit
wait "$pid" 2>/dev/null || true
echo "screenshots of typing and laying in $out: typed.png typed-window.png lay-menu.png lay.png"\
  "endgame-marked.png gameover.png scoresheet.png"
