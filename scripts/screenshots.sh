#!/usr/bin/env bash
# Takes the README's pictures of Pellaro, in English and in Hungarian, into docs/screenshots/:
#   <lang>-notification.png   the notification box after the first check
#   <lang>-tray-menu.png      the state icon's menu
#   <lang>-newmail-menu.png   the envelope icon's menu of the mailboxes with new mail
#   <lang>-main-window.png    the options window
#   <lang>-mailbox-window.png the mailbox window, editing a mailbox
#   <lang>-about.png          the About box
#   <lang>-guide.png          the user's guide
# Pellaro runs as in the demo (scripts/demo.sh, started here without deliveries) on an Xvfb
# screen of this script's own; the script clicks its tray icons with xdotool as a user would
# and cuts each window out of the screen with ImageMagick's import. Wine's stand-in tray,
# with no desktop shell, is the small window at the top left; its first icon is Pellaro's
# state icon, the second the envelope. Runs as root (the demo's mail server).
# PELLARO_BUILD_DIR, PELLARO_DEMO_NO_BUILD as for the demo; PELLARO_SHOTS_DIR chooses
# another folder for the pictures; PELLARO_SHOTS_DPI=144 takes them on a display of 144 dpi
# (150 %; 120 is 125 %, 192 is 200 %), named <lang>-<picture>-150.png and so on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PELLARO_SHOTS_DIR:-$root/docs/screenshots}
work="$root/build/screenshots"
export PELLARO_BUILD_DIR=${PELLARO_BUILD_DIR:-$root/build/win}

bash "$root/scripts/install-deps.sh"
missing=()
for tool in xdotool:xdotool import:imagemagick xwininfo:x11-utils; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)
  "${as_root[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
mkdir -p "$out" "$work"
dpi=${PELLARO_SHOTS_DPI:-96}
suffix=""
[ "$dpi" != 96 ] && suffix="-$((dpi * 100 / 96))"
# A distance on the screen at 100 % as device pixels at the display's dpi.
at() { echo $((($1 * dpi + 48) / 96)); }

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
demo_pid=""
finish() {
  [ -n "$demo_pid" ] && { kill -TERM "$demo_pid" 2>/dev/null; wait "$demo_pid" 2>/dev/null; }
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
}
trap finish EXIT
trap 'exit 130' INT TERM
for _ in $(seq 1 100); do
  xwininfo -root >/dev/null 2>&1 && break
  sleep 0.1
done

# Pellaro's visible windows, one "id x y width height" a line.
visible() {
  local id
  for id in $(xdotool search --onlyvisible --class pellaro.exe 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
      /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF } END { print id, x, y, w, h }'
  done
}
# Runs an action and prints the window it brought up ("id x y width height"), waiting for
# it at most 20 s. Of several new X windows (Wine may map a client window inside a top-level
# one) the largest.
window_after() {  # <command...>
  local before line found
  before=$(visible | cut -d' ' -f1)
  "$@"
  new_largest() {
    visible | while read -r line; do
      [ -n "$line" ] && ! grep -qx "${line%% *}" <<<"$before" && echo "$line"
    done | awk '{ print $4 * $5, $0 }' | sort -rn | head -n 1 | cut -d' ' -f2-
  }
  for _ in $(seq 1 100); do
    if [ -n "$(new_largest)" ]; then
      sleep 0.5  # the rest of a window's X windows
      found=$(new_largest)
      echo "$found"
      return 0
    fi
    sleep 0.2
  done
  echo "no new window of Pellaro appeared after: $*" >&2
  return 1
}
# Saves the screen's part under a window ("id x y width height") as <name>.png.
shoot() {  # <name> <window>
  local id x y w h
  read -r id x y w h <<<"$2"
  sleep 0.8  # let it paint
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png"
  echo "saved $out/$1.png (${w}x${h})"
}
# A click as a user makes it: the pointer first rests on the spot.
click() {  # <x> <y> <button>
  xdotool mousemove "$1" "$2" sleep 0.3 mousemove "$(($1 + 1))" "$2" sleep 0.3 click "$3"
}
close_with_escape() {
  xdotool key Escape
  sleep 0.5
}

for lang in en hu; do
  echo "== Pictures in $([ $lang = en ] && echo English || echo Hungarian)"
  PELLARO_DEMO_LANGUAGE=$lang PELLARO_DEMO_INTERVAL=100000 PELLARO_DEMO_DIR="$work/demo" \
    PELLARO_DEMO_DPI=$dpi \
    PELLARO_DEMO_ADDRESS=${PELLARO_SHOTS_ADDRESS:-127.0.0.62} \
    bash "$root/scripts/demo.sh" </dev/null >"$work/demo-$lang.log" 2>&1 &
  demo_pid=$!
  # The first check's notification box: a window whose name holds a mailbox address.
  box=""
  for _ in $(seq 1 600); do
    for id in $(xdotool search --onlyvisible --class pellaro.exe 2>/dev/null); do
      if xdotool getwindowname "$id" 2>/dev/null | grep -q '@'; then
        box=$(visible | grep "^$id ") && break 2
      fi
    done
    kill -0 "$demo_pid" 2>/dev/null || { cat "$work/demo-$lang.log" >&2; exit 1; }
    sleep 0.2
  done
  [ -n "$box" ] || { echo "no notification box within 120 s" >&2; exit 1; }
  shoot "$lang-notification$suffix" "$box"

  tray=$(xdotool search --name "Wine System Tray" | head -n 1)
  read -r _ tx ty _ _ < <(xwininfo -id "$tray" | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print 0, x, y, 0, 0 }')
  state_x=$((tx + $(at 9))); envelope_x=$((tx + $(at 29))); icon_y=$((ty + $(at 9)))

  menu=$(window_after click "$state_x" "$icon_y" 3)
  shoot "$lang-tray-menu$suffix" "$menu"
  close_with_escape
  menu=$(window_after click "$envelope_x" "$icon_y" 1)
  shoot "$lang-newmail-menu$suffix" "$menu"
  close_with_escape

  main=$(window_after click "$state_x" "$icon_y" 1)
  shoot "$lang-main-window$suffix" "$main"
  read -r _ mx my _ _ <<<"$main"
  # The first mailbox of the list, then Edit.
  click $((mx + $(at 60))) $((my + $(at 136))) 1
  mailbox=$(window_after click $((mx + $(at 150))) $((my + $(at 237))) 1)
  shoot "$lang-mailbox-window$suffix" "$mailbox"
  close_with_escape

  # About and the user's guide from the state icon's menu: rows 7 and 8 (below two rules).
  menu=$(window_after click "$state_x" "$icon_y" 3)
  read -r _ ux uy _ _ <<<"$menu"
  about=$(window_after click $((ux + $(at 48))) $((uy + $(at 122))) 1)
  shoot "$lang-about$suffix" "$about"
  close_with_escape
  menu=$(window_after click "$state_x" "$icon_y" 3)
  read -r _ ux uy _ _ <<<"$menu"
  guide=$(window_after click $((ux + $(at 48))) $((uy + $(at 145))) 1)
  shoot "$lang-guide$suffix" "$guide"
  close_with_escape

  kill -TERM "$demo_pid" 2>/dev/null
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=""
done
echo "Pictures in $out"
