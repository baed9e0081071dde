#!/usr/bin/env bash
# Takes the README's pictures of Pellaro, in English and in Hungarian, into docs/screenshots/:
#   <lang>-desktop.png               the whole screen: the options window, and the two icons
#                                    at the right of the task bar
#   <lang>-notification.png          the notification box after the first check, with the
#                                    corner of the task bar that holds the tray icons
#   <lang>-tray-menu.png             the state icon's menu, over the task bar
#   <lang>-newmail-menu.png          the envelope icon's menu of the two mailboxes with new
#                                    mail, over the task bar
#   <lang>-main-window.png           the options window
#   <lang>-main-window-checking.png  the options window while a check runs
#   <lang>-mailbox-window.png        the mailbox window, editing a mailbox
#   <lang>-about.png                 the About box
#   <lang>-guide.png                 the user's guide
# Pellaro runs as in the demo (scripts/demo.sh, started here without deliveries) on an Xvfb
# screen of this script's own, inside Wine's virtual desktop with its shell: windows get
# their title bars and frames from Wine as on Windows, and the tray icons sit at the right
# end of a task bar at the bottom. The desktop's Wine prefix is made afresh for every run,
# with Wine's own fonts (Tahoma for the title bars, Marlett for their buttons, MS Sans
# Serif) copied into its Fonts folder from Debian's fonts-wine package, which is fetched
# with apt-get download and never installed, so no other Wine prefix of the machine
# changes. The script clicks the tray icons and buttons with xdotool as a user would and
# cuts each window out of the screen with ImageMagick's import. It fails when a window it
# opens does not appear, when one appears under another title than the expected one, or
# when a picture comes out as one flat colour. Runs as root (the demo's mail server).
#
# PELLARO_SHOTS_DPI     the prefix's LogPixels, one value or several separated by blanks
#                       (default 96, which is 100 %; 144 is 150 %). Pictures at another
#                       value than 96 get the scale in their name: <lang>-about-150.png.
#                       The screen grows with the scale.
# PELLARO_SHOTS_LANGUAGES  "en hu" (default), or one of them
# PELLARO_SHOTS_ADDRESS the loopback address of the demo's mail server (default 127.0.0.62)
# PELLARO_SHOTS_DIR     another folder for the pictures
# PELLARO_BUILD_DIR, PELLARO_DEMO_NO_BUILD as for the demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${PELLARO_SHOTS_DIR:-$root/docs/screenshots}
work="$root/build/screenshots"
demo_dir="$work/demo"
dpis=${PELLARO_SHOTS_DPI:-96}
languages=${PELLARO_SHOTS_LANGUAGES:-en hu}
address=${PELLARO_SHOTS_ADDRESS:-127.0.0.62}
export PELLARO_BUILD_DIR=${PELLARO_BUILD_DIR:-$root/build/win}

bash "$root/scripts/install-deps.sh"
missing=()
for tool in xdotool:xdotool import:imagemagick xwininfo:x11-utils; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool#*:}")
done
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  "${as_root[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
mkdir -p "$out" "$work"
for dpi in $dpis; do
  case "$dpi" in
    ''|*[!0-9]*) echo "PELLARO_SHOTS_DPI: $dpi is not a whole number" >&2; exit 2 ;;
  esac
  [ "$dpi" -ge 96 ] || { echo "PELLARO_SHOTS_DPI: $dpi is below 96" >&2; exit 2; }
done

# Wine's own fonts, from the package's files alone.
fonts="$work/fonts-wine/usr/share/wine/fonts"
if [ ! -f "$fonts/marlett.ttf" ]; then
  rm -rf "$work/fonts-wine" "$work"/fonts-wine_*.deb
  (cd "$work" && { apt-get download fonts-wine >/dev/null 2>&1 ||
                   { "${as_root[@]}" apt-get update -q && apt-get download fonts-wine; }; })
  dpkg-deb -x "$work"/fonts-wine_*.deb "$work/fonts-wine"
  [ -f "$fonts/marlett.ttf" ] || { echo "fonts-wine holds no marlett.ttf" >&2; exit 1; }
fi

xvfb_pid=""
demo_pid=""
server_held=0
# The demo's mail server: every process of it, the master first.
server_processes() {
  local master
  master=$(cat "$demo_dir/dovecot/run/master.pid")
  echo "$master" $(pgrep -P "$master" || true)
}
finish() {
  if [ $server_held -eq 1 ]; then
    kill -CONT $(server_processes) 2>/dev/null || true
  fi
  [ -n "$demo_pid" ] && { kill -TERM "$demo_pid" 2>/dev/null; wait "$demo_pid" 2>/dev/null; }
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  return 0
}
trap finish EXIT
trap 'exit 130' INT TERM

# A fresh prefix for the demo: Wine's fonts, the virtual desktop "Pellaro" of the screen's
# size with its shell (task bar and tray), and the DPI.
prepare_prefix() {  # <dpi> <screen size WxH>
  # The previous pass's Wine must have ended before its prefix goes: a wineserver still
  # serving the removed folder would be found by the new prefix's first programs.
  if [ -d "$demo_dir/wineprefix" ]; then
    WINEPREFIX="$demo_dir/wineprefix" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$demo_dir/wineprefix" wineserver -w >/dev/null 2>&1 || true
  fi
  rm -rf "$demo_dir"
  (
    source "$root/scripts/wine-sandbox.sh" "$demo_dir"
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    cp "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
    set_value() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
    set_value 'HKCU\Software\Wine\Explorer' /v Desktop /d Pellaro
    set_value 'HKCU\Software\Wine\Explorer\Desktops' /v Pellaro /d "$2"
    set_value 'HKCU\Software\Wine\Explorer\Desktops\Pellaro' /v EnableShell /t REG_DWORD /d 1
    set_value 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"
    wineserver -w
    touch "$WINEPREFIX/.pellaro-ready"
  )
}

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
# it at most 20 s. A window with a title must have the one given; of several new windows
# the largest. Fails, saying so, when none appeared.
window_after() {  # <title, or "" for a menu> <command...>
  local title=$1 before line found name
  shift
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
      name=$(xdotool getwindowname "${found%% *}" 2>/dev/null || true)
      if [ -n "$title" ] && [ "$name" != "$title" ]; then
        echo "after: $* a window \"$name\" appeared, not \"$title\"" >&2
        return 1
      fi
      echo "$found"
      return 0
    fi
    sleep 0.2
  done
  echo "no window of Pellaro appeared within 20 s after: $*" >&2
  return 1
}
# The picture of a part of the screen, saved as <name>.png; fails when it is one colour.
save_region() {  # <name> <x> <y> <width> <height>
  local file="$out/$1$suffix.png"
  import -window root -crop "${4}x${5}+${2}+${3}" +repage "$file"
  if [ "$(identify -format %k "$file")" -le 1 ]; then
    echo "$file came out as one flat colour" >&2
    return 1
  fi
  echo "saved $file (${4}x${5})${6:+ of a window $6}"
}
# Saves a window ("id x y width height") with its frame, once it has painted.
shoot() {  # <name> <window>
  local id x y w h
  read -r id x y w h <<<"$2"
  sleep 0.8
  save_region "$1" "$x" "$y" "$w" "$h"
}
# Saves the screen from a little above and left of a window down to the screen's
# bottom-right corner: a pop-up with the task bar's tray below it.
shoot_corner() {  # <name> <window>
  local id x y w h margin
  read -r id x y w h <<<"$2"
  margin=$(px 12)
  x=$((x > margin ? x - margin : 0))
  y=$((y > margin ? y - margin : 0))
  sleep 0.8
  save_region "$1" "$x" "$y" $((screen_w - x)) $((screen_h - y)) "${w}x${h}"
}
# The window's own drawing, as a picture file: to tell when it changes.
snapshot() {  # <window> <file>
  local id x y w h
  read -r id x y w h <<<"$1"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}
same_picture() {  # <file> <file>
  [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]
}
# Waits, at most 20 s, until the window looks different from the picture.
wait_changed() {  # <window> <picture>
  for _ in $(seq 1 40); do
    snapshot "$1" "$work/now.png"
    same_picture "$2" "$work/now.png" || return 0
    sleep 0.5
  done
  return 1
}
# Waits, at most 60 s, until the window stays still for a second (the wait bar has
# stopped).
wait_still() {  # <window>
  snapshot "$1" "$work/then.png"
  for _ in $(seq 1 60); do
    sleep 1
    snapshot "$1" "$work/now.png"
    same_picture "$work/then.png" "$work/now.png" && return 0
    mv "$work/now.png" "$work/then.png"
  done
  return 1
}
# A length at 96 DPI, at the pictures' DPI (Wine's own parts: the screen, margins).
px() { echo $(( ($1 * dpi + 48) / 96 )); }
# Pellaro's own scale of a window, in percent and in steps of 25: one of its sides against
# that side at 100 %. A frame adds too little to change the step. Pellaro scales its windows
# with the DPI, or does not, and the clicks below follow whichever it does.
scale_of() {  # <window> <width or height> <that side at 100 %>
  local id x y w h side
  read -r id x y w h <<<"$1"
  side=$w
  [ "$2" = height ] && side=$h
  echo $(( (side * 100 / $3 + 12) / 25 * 25 ))
}
# The screen position of a point of a framed window's client area, given at 100 %. The
# frame is as wide left, right and at the bottom; the title bar takes the rest of the top.
client_point() {  # <window> <client width> <client height> <x> <y>  (all at 100 %)
  local id x y w h scale border
  read -r id x y w h <<<"$1"
  scale=$(scale_of "$1" width "$2")
  border=$(( (w - $2 * scale / 100) / 2 ))
  echo $((x + border + $4 * scale / 100)) $((y + h - border - $3 * scale / 100 + $5 * scale / 100))
}
# The same for a window without a frame (a menu), scaled by its height.
menu_point() {  # <window> <height at 100 %> <x> <y>
  local id x y w h scale
  read -r id x y w h <<<"$1"
  scale=$(scale_of "$1" height "$2")
  echo $((x + $3 * scale / 100)) $((y + $4 * scale / 100))
}
# A click as a user makes it: the pointer first moves onto the spot. Then it moves away to
# the desktop's empty top-left corner, so that no tool tip of the task bar shows in the
# pictures.
click() {  # <x> <y> <button>
  xdotool mousemove "$1" "$2" sleep 0.1 mousemove "$(($1 + 1))" "$2" sleep 0.1 click "$3" \
          sleep 0.1 mousemove "$(px 4)" "$(px 4)"
}
click_at() {  # <"x y"> <button>
  local x y
  read -r x y <<<"$1"
  click "$x" "$y" "$2"
}
# Closes a window and waits, at most 20 s, until it has gone: a window with the Escape key,
# a menu with a click on its own top border, which chooses nothing. (Wine's virtual desktop
# does not let a menu of the tray icons become the foreground window, so neither Escape nor
# a click outside it reaches the menu there.)
gone() { ! visible | grep -q "^$1 "; }
close_window() {  # <window>
  xdotool key Escape
  wait_gone "$1"
}
close_menu() {  # <window>
  local id x y w h
  read -r id x y w h <<<"$1"
  click $((x + w / 2)) $((y + 1)) 1
  wait_gone "$1"
}
wait_gone() {  # <window>
  for _ in $(seq 1 100); do
    gone "${1%% *}" && return 0
    sleep 0.2
  done
  echo "the window ${1%% *} did not close" >&2
  return 1
}

# The expected window titles.
declare -A title
title[en-mailbox]="Edit Mailbox"
title[en-about]="About"
title[en-guide]="User's Guide"
title[hu-mailbox]="Postafiók szerkesztése"
title[hu-about]="Névjegy"
title[hu-guide]="Használati utasítás"
main_client=(400 450)  # the options window's client area at 100 %
tray_menu_height=183    # the state icon's menu at 100 %

take_pictures() {  # <lang>
  local lang=$1 box id tray tx ty tw th state envelope menu main mailbox about guide
  echo "== Pictures in $([ "$lang" = en ] && echo English || echo Hungarian) at $percent %"
  PELLARO_DEMO_LANGUAGE=$lang PELLARO_DEMO_INTERVAL=100000 PELLARO_DEMO_DIR="$demo_dir" \
    PELLARO_DEMO_ADDRESS=$address PELLARO_DEMO_DPI=$dpi \
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
    kill -0 "$demo_pid" 2>/dev/null || { cat "$work/demo-$lang.log" >&2; return 1; }
    sleep 0.2
  done
  [ -n "$box" ] || { echo "no notification box within 120 s" >&2; return 1; }
  shoot_corner "$lang-notification" "$box"

  # The task bar: the shell's window along the bottom of the screen. Its tray icons are
  # squares as high as the bar, from the right: the state icon first, then the envelope.
  tray=""
  for id in $(xdotool search --class explorer.exe 2>/dev/null); do
    read -r _ tx ty tw th < <(xwininfo -id "$id" | awk '
      /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
      /Width:/ { w = $NF } /Height:/ { h = $NF } END { print 0, x, y, w, h }')
    if [ "$tw" -eq "$screen_w" ] && [ $((ty + th)) -eq "$screen_h" ] && [ "$th" -lt 100 ]; then
      tray=$id && break
    fi
  done
  [ -n "$tray" ] || { echo "no task bar on the screen" >&2; return 1; }
  state="$((screen_w - th / 2)) $((ty + th / 2))"
  envelope="$((screen_w - th * 3 / 2)) $((ty + th / 2))"

  # The options window, first over the desktop with the notification box still there.
  main=$(window_after "Pellaro" click_at "$state" 1)
  shoot "$lang-main-window" "$main"
  save_region "$lang-desktop" 0 0 "$screen_w" "$screen_h"

  menu=$(window_after "" click_at "$state" 3)
  shoot_corner "$lang-tray-menu" "$menu"
  close_menu "$menu"
  menu=$(window_after "" click_at "$envelope" 1)
  shoot_corner "$lang-newmail-menu" "$menu"
  close_menu "$menu"

  # The first mailbox of the list, then Edit.
  click_at "$(client_point "$main" "${main_client[@]}" 60 136)" 1
  mailbox=$(window_after "${title[$lang-mailbox]}" \
            click_at "$(client_point "$main" "${main_client[@]}" 150 237)" 1)
  shoot "$lang-mailbox-window" "$mailbox"
  close_window "$mailbox"

  # A check that runs while the picture is taken: the mail server is held still, so the
  # check waits for its greeting, and let go again afterwards.
  kill -STOP $(server_processes)
  server_held=1
  snapshot "$main" "$work/before.png"
  click_at "$(client_point "$main" "${main_client[@]}" 60 427)" 1
  wait_changed "$main" "$work/before.png" || { echo "Check Now! changed nothing" >&2; return 1; }
  shoot "$lang-main-window-checking" "$main"
  kill -CONT $(server_processes)
  server_held=0
  wait_still "$main" || { echo "the check did not end within 60 s" >&2; return 1; }

  # About and the user's guide from the state icon's menu: rows 7 and 8 (below two rules).
  menu=$(window_after "" click_at "$state" 3)
  about=$(window_after "${title[$lang-about]}" \
          click_at "$(menu_point "$menu" "$tray_menu_height" 48 122)" 1)
  shoot "$lang-about" "$about"
  close_window "$about"
  menu=$(window_after "" click_at "$state" 3)
  guide=$(window_after "${title[$lang-guide]}" \
          click_at "$(menu_point "$menu" "$tray_menu_height" 48 145)" 1)
  shoot "$lang-guide" "$guide"
  close_window "$guide"

  kill -TERM "$demo_pid" 2>/dev/null
  wait "$demo_pid" 2>/dev/null || true
  demo_pid=""
}

for dpi in $dpis; do
  percent=$((dpi * 100 / 96))
  suffix=""
  [ "$dpi" -ne 96 ] && suffix="-$percent"
  screen_w=$(px 1024)
  screen_h=$(px 768)
  echo "== Wine's virtual desktop at ${screen_w}x${screen_h}, $dpi DPI"
  display=90
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 1 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
  done
  prepare_prefix "$dpi" "${screen_w}x${screen_h}"

  for lang in $languages; do
    take_pictures "$lang"
  done
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
echo "Pictures in $out"
