#!/bin/sh
# SPDX-License-Identifier: MIT
# Takes the guide's screenshots from the real editor: in Chinese for the Chinese guide (images/)
# and in English for the English one (images/en/). The editor's pictures show its form, the left
# 582 pixels of the window (the preview pane takes the rest); one shows the whole window with the
# pane. Run under an X server, e.g.
#   xvfb-run -a -s "-screen 0 1280x1024x24" doc/guide/screenshots.sh build/dev/src/app/sylvanode build/dev/src/sylvanode-cli [zh_CN|en]
# Without a language both are taken. Needs xdotool, ImageMagick (import, convert), chromium for
# the page shot, optipng when present.
set -eu
if [ $# -lt 3 ]; then
  "$0" "$1" "$2" zh_CN
  exec "$0" "$1" "$2" en
fi
editor=$(realpath "$1")
cli=$(realpath "$2")
language=$3
guide=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
out=$work/images                     # moved into the guide once the run has been checked
site=/tmp/mysite                     # shown in the pictures as the site's folder
[ ! -e "$site" ] || { echo "$site is in the way" >&2; exit 1; }
mkdir "$site"
pid=""
trap 'kill $pid 2>/dev/null || true; rm -rf "$work" "$site"' EXIT
# xdotool types in a UTF-8 locale; the editor speaks LANG's language, and no choice stored in
# View → Language gets in the way.
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANGUAGE= XDG_CONFIG_HOME="$work/config"

# What differs between the languages: the items typed, where the controls are, the names.
case $language in
  zh_CN)
    export LANG=zh_CN.UTF-8
    images=$guide/images
    products=产品介绍 download=下载 manual=使用说明 contact=联系我们
    title_y=122 link_y=335 target_y=367 script_y=398
    item_tab=265 style_tab=346 settings_tab=423 tab_y=85
    style_x=432 style_y=152
    ;;
  en)
    export LANG=en_US.UTF-8
    images=$guide/images/en
    products=Products download=Download manual=Manual contact="Contact us"
    title_y=122 link_y=335 target_y=367 script_y=398
    item_tab=277 style_tab=365 settings_tab=460 tab_y=85
    style_x=440 style_y=152
    ;;
  *) echo "usage: $0 EDITOR CLI [zh_CN|en]" >&2; exit 2 ;;
esac

shot() {  # window name-of-png [crop geometry]
  [ -n "$1" ] || { echo "no window to take $2 from" >&2; exit 1; }
  sleep 0.6
  import -window "$1" "$work/$2.png"
  convert "$work/$2.png" ${3:+-crop "$3" +repage} -strip "$out/$2.png"
  if command -v optipng >/dev/null 2>&1; then optipng -quiet -o5 "$out/$2.png"; fi
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
# The window that a click opens: the one visible now that was not before.
windows() { xdotool search --onlyvisible --name "." 2>/dev/null | sort; }
opened() { sleep 1; windows | comm -13 "$work/before" - | tail -1; }
dialog() { sleep 1; xdotool type --delay 10 "$1"; xdotool key Return; sleep 1; }  # a file name
# The space typed after the text makes sure its last character is taken before xdotool
# restores the keyboard map it borrowed for characters the map lacks.
field() { click "$1" "$2"; xdotool key ctrl+a; sleep 0.2; xdotool type --delay 150 "$3 "; sleep 0.3; xdotool key BackSpace; sleep 0.2; }

cd "$work"
mkdir "$out"
LC_ALL= "$editor" &
pid=$!
win=""
for _ in $(seq 50); do
  win=$(xdotool search --onlyvisible --name "^Sylvanode 3.0-" 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
[ -n "$win" ] || { echo "the editor's window did not appear" >&2; exit 1; }
form=582x500+0+0
sleep 3                              # the preview pane's first page
shot "$win" main-empty "$form"

# A root item with two sub items, and a second root item that runs a line of script.
click 18 82                          # add a root item
field 421 $title_y "$products"
click 49 82                          # add a sub item
click 10 107                         # open the root item
click 80 127                         # select the new sub item
field 421 $title_y "$download"
field 418 $link_y "download.html"
field 410 $target_y "main"
click 80 107
click 49 82
click 80 147
field 421 $title_y "$manual"
field 418 $link_y "manual.html"
field 410 $target_y "main"
click 80 107
click 18 82
click 80 167
field 421 $title_y "$contact"
click 250 $script_y                  # script instead of a link
field 418 $script_y "alert('mail@example.com')"
click 80 127
shot "$win" main-items "$form"

click 80 167
shot "$win" main-script "$form"
click 80 127

click $style_tab $tab_y              # the style page
shot "$win" style-page "$form"
windows > "$work/before"
click $style_x $style_y              # the folders' normal style: the CSS style dialog
css=$(opened)
shot "$css" css-dialog
windows > "$work/before"
# The text colour's picker: the button at the right end of its row.
css_width=$(xdotool getwindowgeometry "$css" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
xdotool mousemove --window "$css" $((css_width - 36)) 142 click 1
picker=$(opened)
shot "$picker" color-picker
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
click $settings_tab $tab_y           # the settings page
click 553 125                        # work directory: the site's folder
dialog "$site"
click 244 190                        # show node lines
shot "$win" settings-page "$form"
click $item_tab $tab_y

# Save the scheme; then the whole window, the pane drawing the menu with the folder marked.
click 107 43
dialog "$site/site.menu"
click 80 107
sleep 3
shot "$win" preview-pane
# Generate the script; it asks for a file name.
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
LC_ALL=C "$cli" tree "$site/site.menu" > "$work/tree.txt"
printf '%s\n' "$products  [folder] link " "  $download  [file] link download.html -> main" \
  "  $manual  [file] link manual.html -> main" "$contact  [file] script alert('mail@example.com')" > "$work/expected.txt"
diff -u "$work/expected.txt" "$work/tree.txt" >&2 || { echo "the scheme differs from what was typed; run again" >&2; exit 1; }
mkdir -p "$images"
cp "$out"/*.png "$images/"
# The example files are the Chinese guide's scheme and script; the English guide links them too.
if [ "$language" = zh_CN ]; then cp "$site/site.menu" "$site/menu.js" "$guide/example/"; fi
