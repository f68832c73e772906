#!/usr/bin/env bash
# Starts the built editor on a virtual X display (Xvfb) and saves screenshots of its window:
#   start.png      the window as it opens (reference text view)
#   word-bank.png  after a click on the toolbar button "词汇助输"
#   phrases.png    after a click on "词汇定制", with a few phrases in date.txt
#   zoom-200.png   a line typed into the manuscript editor, zoomed to 200 % with Ctrl+=
#   find-panel.png the screen with the replace panel open (Ctrl+H), a word typed in it
#   paragraph.png  the screen with 编辑 › 段落's dialog open
#   figure.png     the manuscript with a line of text, a circuit drawing put in with
#                  编辑 › 插入图片 (made here with ImageMagick) and a caption under it
# Usage: scripts/screenshot.sh [--dark] [output folder]   (default: build/screenshots)
#   --dark  the desktop's theme is dark: qt6ct's "darker" colour scheme with the Fusion
#           style, as a writer who chose a dark theme for Qt programs has it
# The README's picture is start.png (light), copied to docs/screenshot.png.
# Needs: xvfb, xdotool, imagemagick, qt6ct (scripts/install-deps.sh installs them) and a
# build in build/ (scripts/build.sh), or PENNORY=/path/to/pennory.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
dark=""
if [ "${1:-}" = "--dark" ]; then dark=1; shift; fi
out="$(realpath -m "${1:-build/screenshots}")"
program="$(realpath -m "${PENNORY:-build/src/pennory}")"
[ -x "$program" ] || { echo "no editor at $program; run scripts/build.sh first" >&2; exit 1; }
mkdir -p "$out"

work="$(mktemp -d)"
xvfb_pid=""
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A small circuit drawing for figure.png: a battery, a resistor and a lamp in one loop.
convert -size 360x200 xc:white -fill none -stroke black -strokewidth 2 \
  -draw "polyline 60,100 60,40 150,40" -draw "rectangle 150,30 210,50" \
  -draw "polyline 210,40 300,40 300,80" -draw "circle 300,100 300,80" \
  -draw "line 286,86 314,114" -draw "line 286,114 314,86" \
  -draw "polyline 300,120 300,160 60,160 60,112" \
  -draw "line 40,100 80,100" -strokewidth 4 -draw "line 50,112 70,112" \
  -stroke none -fill black -pointsize 14 -draw "text 168,72 'R1'" \
  -draw "text 322,106 'L1'" -draw "text 16,112 'E'" "$work/circuit.png"

# A free display number, chosen by the server itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# The editor runs in a folder of its own, with its own configuration, data and state folders
# (so that no recovery copy left by another run asks first), and finds a phrase file there
# for the phrase view.
printf '%s\r\n' "本电路结构简单" "元件易购" "制作成功率高" "适合初学者仿制" > "$work/date.txt"
mkdir -p "$work/config"
theme=()
if [ -n "$dark" ]; then
  scheme=/usr/share/qt6ct/colors/darker.conf
  [ -f "$scheme" ] || { echo "no $scheme; apt-get install qt6ct" >&2; exit 1; }
  mkdir -p "$work/config/qt6ct"
  printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=%s\nstyle=Fusion\n' "$scheme" \
    > "$work/config/qt6ct/qt6ct.conf"
  theme=(env QT_QPA_PLATFORMTHEME=qt6ct)
fi
(cd "$work" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_STATE_HOME="$work/state" exec "${theme[@]}" "$program") >"$work/pennory.log" 2>&1 &
editor_pid=$!

window=""
for _ in $(seq 100); do
  window="$(xdotool search --onlyvisible --name '^Pennory' 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; cat "$work/pennory.log" >&2; exit 1; }
sleep 1  # let the first paint finish

shoot() { import -window "$window" "$out/$1"; }

# Toolbar buttons, in window coordinates: the menu bar is 23 pixels high, the buttons stand
# in the band below it from left to right.
click_toolbar() {
  xdotool mousemove --window "$window" "$1" 43 click 1
  xdotool mousemove --window "$window" 700 500  # away, so that no button is hovered
  sleep 0.5
}

# A click that did not change the side panel means the buttons are not where expected.
panel_changed() {
  local difference
  difference="$(compare -metric AE -crop 313x446+8+71 "$out/$1" "$out/$2" null: 2>&1 || true)"
  [ "${difference%% *}" != "0" ]
}

shoot start.png
click_toolbar 285  # 词汇助输 (key "write")
shoot word-bank.png
panel_changed start.png word-bank.png || { echo "the word-bank view did not appear" >&2; exit 1; }
click_toolbar 347  # 词汇定制 (key "selfdo")
shoot phrases.png
panel_changed word-bank.png phrases.png || { echo "the phrase view did not appear" >&2; exit 1; }

# The manuscript editor fills the window right of the side panel.
xdotool mousemove --window "$window" 650 300 click 1
xdotool type --delay 20 "Zoom 200% test"
xdotool key Return
xdotool type --delay 20 "电阻电容"
for _ in $(seq 10); do xdotool key ctrl+equal; done
xdotool mousemove --window "$window" 700 500
sleep 0.5
shoot zoom-200.png
xdotool key ctrl+0

# The program's own dialogs stand beside the window, so the whole screen is taken.
xdotool key ctrl+h
sleep 0.5
xdotool type --delay 20 "电阻"
sleep 0.3
import -window root "$out/find-panel.png"
xdotool key Escape
sleep 0.3
xdotool windowactivate --sync "$window" 2>/dev/null || true
# 编辑 is the second menu of the bar; 插入图片 is its last item, 段落 the one above.
xdotool mousemove --window "$window" 50 11 click 1
sleep 0.3
xdotool key Up Up Return
sleep 0.5
import -window root "$out/paragraph.png"
xdotool key Escape
sleep 0.3

# A figure in the manuscript: 编辑 › 插入图片, the drawing's path typed into the dialog.
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool mousemove --window "$window" 650 300 click 1
xdotool key ctrl+End Return
xdotool type --delay 20 "图1 电路图："
xdotool key Return
xdotool mousemove --window "$window" 50 11 click 1
sleep 0.3
xdotool key Up Return
sleep 0.8
xdotool type --delay 10 "$work/circuit.png"
xdotool key Return
sleep 0.5
xdotool windowactivate --sync "$window" 2>/dev/null || true
xdotool key Return
xdotool type --delay 20 "电池E经电阻R1点亮灯泡L1。"
xdotool mousemove --window "$window" 700 600
sleep 0.5
shoot figure.png

echo "Screenshots in $out:"
ls -1 "$out"
