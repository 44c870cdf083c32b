#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds: the programs with their
# links, the sample database and its index, the language modules, the help pages, the desktop
# entry, icons and AppStream file (both validated), and the libraries it depends on.
set -euo pipefail
build=${1:?usage: check_package.sh BUILD_DIR}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb")
fail=0
for path in ./usr/lib/stavbas/stavbas ./usr/lib/stavbas/stavbas-cli ./usr/bin/stavbas \
    ./usr/bin/stavbas-cli ./usr/lib/stavbas/STAVBAS.RUN './usr/lib/stavbas/STAVBAS.$AD' \
    ./usr/lib/stavbas/STAVBAS.INF ./usr/lib/stavbas/stavbas.en ./usr/lib/stavbas/stavbas.sve \
    ./usr/lib/stavbas/help/contexts.map ./usr/lib/stavbas/help/sv/index.html \
    ./usr/lib/stavbas/help/en/index.html \
    ./usr/share/applications/org.stavbas.Stavbas.desktop \
    ./usr/share/metainfo/org.stavbas.Stavbas.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.stavbas.Stavbas.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.stavbas.Stavbas.png; do
  grep -qF " $path" <<<"$contents" || { echo "missing in the package: $path"; fail=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libgsf libqt6svg6; do
  grep -q "$lib" <<<"$depends" || { echo "no dependency on $lib: $depends"; fail=1; }
done
dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/org.stavbas.Stavbas.desktop" || fail=1
appstreamcli validate --no-net --pedantic \
  "$out/root/usr/share/metainfo/org.stavbas.Stavbas.metainfo.xml" >/dev/null || fail=1
# The installed command-line program finds the database beside it through its link.
"$out/root/usr/bin/stavbas-cli" --signum "U 344" 2>/dev/null | grep -q "U 344" ||
  { echo "the installed stavbas-cli does not show U 344"; fail=1; }
[ $fail -eq 0 ] && echo "package $(basename "$deb") checked"
exit $fail
