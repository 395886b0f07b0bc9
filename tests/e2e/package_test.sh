#!/usr/bin/env bash
# `cpack -G DEB` makes a package holding the installed files, which depends on
# the Debian package of every library the program links (or on the package
# Debian names for that library, which pulls it in). lintian, when installed,
# finds nothing to warn about.
source "$(dirname "$0")/lib.sh"
build_dir=$(dirname "$app_dir")
command -v cpack >/dev/null && command -v dpkg-shlibdeps >/dev/null || { echo "no cpack or dpkg-shlibdeps"; exit 77; }
(cd "$build_dir" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
deb=$(ls "$work"/package/zelvo_*.deb) || fail "no package was made"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/zelvo ./usr/share/zelvo/credits.dat ./usr/share/zelvo/readme.rtf \
    ./usr/share/zelvo/skins/Aurora/player.zsk ./usr/share/applications/zelvo.desktop \
    ./usr/share/metainfo/io.github.zelvo.Zelvo.metainfo.xml ./usr/share/icons/hicolor/48x48/apps/zelvo.png \
    ./usr/share/icons/hicolor/scalable/apps/zelvo.svg ./usr/share/man/man1/zelvo.1.gz \
    ./usr/share/doc/zelvo/copyright ./usr/share/doc/zelvo/changelog.Debian.gz; do
  grep -qx "$file" <<<"$contents" || fail "the package lacks $file"
done

# A Depends field as package names, one a line.
names() { sed 's/([^)]*)//g; s/[,|]/\n/g' | tr -d ' ' | sed '/^$/d'; }
depends=$(dpkg-deb -f "$deb" Depends | names)
echo "Depends: $(tr '\n' ' ' <<<"$depends")"
while read -r library; do
  path=$(ldd "$app_dir/zelvo" | awk -v lib="$library" '$1 == lib {print $3} $1 ~ ("/" lib "$") {print $1}')
  package=$( (dpkg -S "$path" || dpkg -S "$(readlink -f "$path")") 2>/dev/null | head -n1 | cut -d: -f1)
  [ -n "$package" ] || fail "no Debian package holds $library"
  pulled_in=no
  for named in $depends; do
    if [ "$named" = "$package" ] || dpkg-query -W -f='${Depends}' "$named" | names | grep -qxF "$package"; then
      pulled_in=yes
    fi
  done
  [ "$pulled_in" = yes ] || fail "the package does not depend on $package ($library)"
done < <(readelf -d "$app_dir/zelvo" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"
  grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian warns"
fi
echo "package: ok"
