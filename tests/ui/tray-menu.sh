# shellcheck shell=bash
# Real input on Ardenix's icon in Wine's "Wine System Tray" window and on the menu it
# opens, for the scripts that drive the program from outside (tray-journey.sh,
# scripts/screenshot-balloon.sh). Needs DISPLAY and a function fail MESSAGE that ends
# the script.

# Waits up to $1 tenths of a second for the command after it to succeed.
await() {
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# The visible top-level windows of a program as "id x y width height", one a line.
windows_of() {
  local id
  for id in $(xdotool search --onlyvisible --classname "$1" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    printf '%s %s %s %s %s\n' "$WINDOW" "$X" "$Y" "$WIDTH" "$HEIGHT"
  done
}

# Finds the tray window and Ardenix's icon in it: sets trayX, trayY, trayW, trayH and
# iconX, iconY (the middle of the icon on the screen).
find_tray_icon() {
  tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' 2>/dev/null | head -n 1; }
  tray=""
  find_tray() { tray=$(tray_window); [ -n "$tray" ]; }
  await 100 find_tray || fail "Wine's notification area did not appear"
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  trayX=$X trayY=$Y trayW=$WIDTH trayH=$HEIGHT

  # Wine's standalone tray lays its icons out in one row of eight slots, each a small
  # icon with a 2-pixel margin, at the bottom of the window inside an equal frame on the
  # left, right and bottom. The newest icon (Ardenix's) is the last slot that holds one.
  slot=20
  frame=$(((trayW - 8 * slot) / 2))
  rowY=$((trayY + trayH - frame - slot / 2))
  icon_slot() {
    local last=-1 index x colours
    for index in 0 1 2 3 4 5 6 7; do
      x=$((trayX + frame + index * slot + 2))
      colours=$(import -display "$DISPLAY" -window root -crop "16x16+$x+$((rowY - 8))" +repage \
        -format '%k' info:- 2>/dev/null || echo 1)
      [ "$colours" -gt 1 ] && last=$index
    done
    [ "$last" -ge 0 ] && echo "$last"
  }
  index=""
  find_icon() { index=$(icon_slot); [ -n "$index" ]; }
  await 100 find_icon || fail "no icon in Wine's notification area"
  iconX=$((trayX + frame + index * slot + slot / 2))
  iconY=$rowY
}

# --- The menu ---------------------------------------------------------------------------

# Presses the right button on the icon (the menu opens on the press, at the pointer) and
# sets menuId, menuX, menuY, menuW, menuH to the menu's window.
open_menu() {
  xdotool mousemove "$iconX" "$iconY" click 3
  menuId=""
  find_menu() {
    local id x y w h
    while read -r id x y w h; do
      # The menu has no name and opens with its corner at the pointer.
      if [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && [ "$w" -gt 20 ] &&
        [ $((x - iconX)) -ge -2 ] && [ $((x - iconX)) -le 2 ]; then
        menuId=$id menuX=$x menuY=$y menuW=$w menuH=$h
        return 0
      fi
    done < <(windows_of ardenix.exe)
    return 1
  }
  await 100 find_menu || fail "the menu did not open on the icon"
  sleep 0.3  # drawn
}

# The menu's items are of one height, its separators of another. Finds both separator
# lines (rows of one darker colour across the menu's middle) and from them the item
# height, the frame, and the middle of every item: profiles p (three or more), then
# Configure, then Start with Windows and Exit.
read_menu_rows() {
  local profiles=$1 band=$((menuW / 2)) lines
  # The tray window may stand above the menu's top rows (it opens under the pointer):
  # only the rows below it are read. The separator lines lie well below them.
  local hidden=$((trayY + trayH - menuY))
  [ "$hidden" -ge 2 ] || hidden=2
  # Each row's lightest pixel across the middle half: a line is darker than the face
  # everywhere, a row through text is not (the face shows between the letters).
  lines=$(import -display "$DISPLAY" -window root png:- |
    convert png:- -crop "${band}x$menuH+$((menuX + menuW / 4))+$menuY" +repage -colorspace Gray \
    -morphology Dilate "Rectangle:$((band * 2 + 1))x1" -crop "1x$menuH+$((band / 2))+0" +repage \
    txt:- 2>/dev/null |
    awk -F'[,: ()]+' -v h="$menuH" -v hidden="$hidden" '
      NR > 1 && $2 > hidden && $2 < h - 3 && $3 + 0 < 200 {
      if ($2 != prev + 1) print $2; prev = $2 }')
  sep1=$(printf '%s\n' "$lines" | sed -n 1p)
  sep2=$(printf '%s\n' "$lines" | sed -n 2p)
  [ -n "$sep1" ] && [ -n "$sep2" ] || fail "no separator lines found in the menu: $lines"
  # sep1 = top + p*item + sepItem/2 and sep2 + sepItem/2 + 2*item = menuH - top.
  item=$(((sep1 + sep2 - menuH) / (profiles - 2)))
  top=$((sep1 - profiles * item - (sep2 - sep1 - item) / 2))
  [ "$item" -ge 12 ] && [ "$item" -le 40 ] || fail "unlikely item height $item"
}

# The middle of the item at a position among the first items (0: the first profile).
item_y() { echo $((menuY + top + $1 * item + item / 2)); }
