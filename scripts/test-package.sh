#!/usr/bin/env bash
# Builds the Debian package, installs it as a user would, checks what the
# desktop gets (programs, menu entry, icon, the .jwc and .jww file types opening in
# ORVIK), and removes it again, checking that nothing is left. Run as root;
# it changes /usr, so run it on a machine that may be changed (CI does).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
rm -f build/release/orvik_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/orvik_*.deb)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Package\|Version\|Depends\): /  \1: /p'

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb" >/dev/null
fail() { echo "test-package: $*" >&2; exit 1; }
installed=(/usr/bin/orvik /usr/bin/orvik-cli /usr/share/applications/orvik.desktop
           /usr/share/icons/hicolor/scalable/apps/orvik.svg /usr/share/mime/packages/orvik-jwc.xml)
for f in "${installed[@]}"; do [ -e "$f" ] || fail "$f is not installed"; done
desktop-file-validate /usr/share/applications/orvik.desktop || fail "the menu entry is not valid"
# The desktop's databases, renewed by the triggers: the file type, and ORVIK to open it.
for type in x-jw-cad x-jw-cad-jww; do
  [ -e "/usr/share/mime/application/$type.xml" ] || fail "the file type $type is not registered"
  grep -q "^application/$type=.*orvik.desktop" /usr/share/applications/mimeinfo.cache ||
    fail "ORVIK is not offered for files of the type $type"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
orvik-cli convert -o "$work/plan.dxf" samples/plan.jwc >/dev/null || fail "orvik-cli does not convert"
# A double-click runs the menu entry's command with the file: the window starts and reads it.
QT_QPA_PLATFORM=offscreen timeout 5 orvik samples/plan.jwc >/dev/null 2>&1 && fail "orvik quit by itself" || [ $? -eq 124 ] ||
  fail "orvik did not start with a drawing"

apt-get remove --purge -y -qq orvik >/dev/null
for f in "${installed[@]}" /usr/share/mime/application/x-jw-cad.xml /usr/share/mime/application/x-jw-cad-jww.xml; do [ ! -e "$f" ] || fail "$f is left after removal"; done
! grep -q 'x-jw-cad' /usr/share/applications/mimeinfo.cache 2>/dev/null || fail "the file type is left in the desktop database"
echo "package installs, works and removes cleanly"
