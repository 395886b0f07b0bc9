#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: the program, its data, a valid menu
# entry, icons and AppStream metainfo; the installed program keeps the user's
# files in their home, carries its icon and shows one taskbar entry.
source "$(dirname "$0")/lib.sh"
build_dir=$(dirname "$app_dir")
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || fail "install failed: $(cat "$work/install.log")"
touch "$work/installed"

for file in bin/zelvo share/zelvo/credits.dat share/zelvo/readme.rtf share/zelvo/skins/Aurora/player.zsk \
    share/applications/zelvo.desktop share/metainfo/io.github.zelvo.Zelvo.metainfo.xml \
    share/icons/hicolor/scalable/apps/zelvo.svg; do
  [ -s "$prefix/$file" ] || fail "$file was not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/zelvo.png
  [ "$(python3 -c "import struct,sys; d=open(sys.argv[1],'rb').read(24); print(*struct.unpack('>II', d[16:24]))" "$icon")" \
    = "$size $size" ] || fail "no $size px icon"
done
desktop=$prefix/share/applications/zelvo.desktop
grep -qx 'Exec=zelvo %F' "$desktop" || fail "the menu entry does not open files"
for type in audio/mpeg audio/x-ms-wma audio/flac audio/ogg audio/x-opus+ogg audio/mp4 audio/x-wav audio/x-aiff \
    audio/x-wavpack audio/x-ape audio/x-musepack; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "the menu entry does not offer $type"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/io.github.zelvo.Zelvo.metainfo.xml" || fail "appstreamcli validate"
fi

# A user's first start of the installed program.
export HOME=$work/home XDG_DATA_HOME= XDG_CONFIG_HOME=
mkdir -p "$HOME"
"$prefix/bin/zelvo" >"$work/player.log" 2>&1 &
player_pid=$!
main=$(wait_window "Zelvo")
playlist=$(wait_window "Zelvo Playlist")
sleep 0.5
bar_props=$(xprop -id "$main")
playlist_props=$(xprop -id "$playlist")
grep -q "_NET_WM_ICON(CARDINAL) =" <<<"$bar_props" || fail "the bar has no icon"
grep -q "_NET_WM_ICON(CARDINAL) =" <<<"$playlist_props" || fail "the playlist window has no icon"
# The playlist window has no taskbar entry of its own, and is no transient of
# the bar (the window manager would keep it above the bar).
grep -q "^_NET_WM_STATE(ATOM) = .*_NET_WM_STATE_SKIP_TASKBAR" <<<"$playlist_props" ||
  fail "the playlist window has a taskbar entry"
! grep -q "^WM_TRANSIENT_FOR" <<<"$playlist_props" || fail "the playlist window is the bar's transient"
grep -q "UTILITY" <<<"$bar_props" && fail "the bar is a tool window"
close_window "$main"
wait_exit || fail "the player ended with an error: $(cat "$work/player.log")"

[ -f "$HOME/.local/share/zelvo/AutoSave.zpl" ] || fail "no playlist in the user's data folder"
[ "$(grep -c $'\r$' "$HOME/.config/zelvo/config.zcf")" -eq 31 ] || fail "no options in the user's config folder"
[ "$(find "$HOME/.local/share/zelvo" -mindepth 1 | wc -l)" -eq 1 ] || fail "the first start copied files: $(find "$HOME")"
[ -z "$(find "$prefix" -newer "$work/installed" -not -type d)" ] || fail "the program wrote into its install"
grep -q "no program icon" "$work/player.log" && fail "the installed icons were not found"
echo "installed: ok"
