#!/bin/sh
# SPDX-License-Identifier: MIT
# Takes the guide's screenshots from the real editor. Run under an X server, e.g.
#   xvfb-run -a -s "-screen 0 1280x1024x24" doc/guide/screenshots.sh build/dev/src/app/sylvanode build/dev/src/sylvanode-cli
# Needs xdotool, ImageMagick (import, convert), chromium for the page shot, optipng when present.
set -eu
editor=$(realpath "$1")
cli=$(realpath "$2")
guide=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
out=$work/images                     # moved into the guide once the run has been checked
site=/tmp/mysite                     # shown in the pictures as the site's folder
[ ! -e "$site" ] || { echo "$site is in the way" >&2; exit 1; }
mkdir "$site"
pid=""
trap 'kill $pid 2>/dev/null || true; rm -rf "$work" "$site"' EXIT
export QT_QPA_PLATFORM=xcb LANG=zh_CN.UTF-8 LC_ALL=C.UTF-8

shot() {  # window name-of-png
  sleep 0.6
  import -window "$1" "$work/$2.png"
  convert "$work/$2.png" -strip "$out/$2.png"
  if command -v optipng >/dev/null 2>&1; then optipng -quiet -o5 "$out/$2.png"; fi
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
dialog() { sleep 1; xdotool type --delay 10 "$1"; xdotool key Return; sleep 1; }  # a file name
# The space typed after the text makes sure its last character is taken before xdotool
# restores the keyboard map it borrowed for characters the map lacks.
field() { click "$1" "$2"; xdotool key ctrl+a; sleep 0.2; xdotool type --delay 40 "$3 "; xdotool key BackSpace; sleep 0.2; }

cd "$work"
mkdir "$out"
"$editor" &
pid=$!
win=""
for _ in $(seq 50); do
  win=$(xdotool search --name "^Sylvanode 3.0-" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "the editor's window did not appear" >&2; exit 1; }
sleep 0.5
shot "$win" main-empty

# A root item with two sub items, and a second root item that runs a line of script.
click 18 82                          # add a root item
field 421 114 "产品介绍"
click 49 82                          # add a sub item
click 10 107                         # open the root item
click 80 127                         # select the new sub item
field 421 114 "下载"
field 418 327 "download.html"
field 410 359 "main"
click 80 107
click 49 82
click 80 147
field 421 114 "使用说明"
field 418 327 "manual.html"
field 410 359 "main"
click 80 107
click 18 82
click 80 167
field 421 114 "联系我们"
click 250 390                        # script instead of a link
field 418 390 "alert('mail@example.com')"
click 80 127
shot "$win" main-items

click 80 167
shot "$win" main-script
click 80 127

click 346 81                         # the style page
shot "$win" style-page
click 432 145                        # the folders' normal style: the CSS style dialog
sleep 1
css=$(xdotool search --name "^CSS样式设定$" | tail -1)
shot "$css" css-dialog
xdotool key Escape
sleep 0.5
click 422 81                         # the settings page
click 546 129                        # work directory: the site's folder
dialog "$site"
click 250 199                        # show node lines
shot "$win" settings-page
click 270 81

# Save the scheme, then generate the script; both ask for a file name.
click 107 43
dialog "$site/site.menu"
click 160 43
dialog "$site/menu.js"
box=$(xdotool search --name "^Sylvanode$" | while read -r w; do
  h=$(xdotool getwindowgeometry "$w" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\)/\1/p')
  [ "$h" -gt 40 ] && echo "$w"; done | tail -1)
shot "$box" generated
xdotool key Return
kill $pid

# The menu in a browser: a page with the library and the generated script, folders opened.
"$cli" library "$work/page" >/dev/null
cp "$site/menu.js" "$work/page/"
printf '%s\n' '<!DOCTYPE html><html><head><meta charset="gbk"><script src="sylvanode-tree.min.js"></script></head>' \
  '<body style="margin:8px;font:14px sans-serif"><script src="menu.js"></script>' \
  '<script>tree.expandAll(true)</script></body></html>' > "$work/page/index.html"
chromium --headless --no-sandbox --disable-gpu --disable-background-networking --hide-scrollbars \
  --window-size=240,110 --screenshot="$work/page.png" "file://$work/page/index.html" 2>/dev/null
convert "$work/page.png" -strip "$out/menu-in-page.png"
if command -v optipng >/dev/null 2>&1; then optipng -quiet -o5 "$out/menu-in-page.png"; fi

# Typing through xdotool is not entirely reliable: check that the scheme holds what was typed.
"$cli" tree "$site/site.menu" > "$work/tree.txt"
cat > "$work/expected.txt" <<'TREE'
产品介绍  [folder] link 
  下载  [file] link download.html -> main
  使用说明  [file] link manual.html -> main
联系我们  [file] script alert('mail@example.com')
TREE
diff -u "$work/expected.txt" "$work/tree.txt" >&2 || { echo "the scheme differs from what was typed; run again" >&2; exit 1; }
cp "$out"/*.png "$guide/images/"
cp "$site/site.menu" "$site/menu.js" "$guide/example/"
