#!/usr/bin/env bash
# Unpacks Debian 12's zlib source (the release its zlib1g-dev is built from)
# into the folder given, for builds that compile zlib themselves
# (WebAssembly). Does nothing when the folder already holds it. The package
# lists are fetched into a folder of this build's own; the system's apt
# settings are left as they are.
set -euo pipefail
target=$1
[ -f "$target/inflate.c" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sources" "$work/lists/partial"
cat > "$work/sources/debian-source.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources"
             -o "Dir::State::Lists=$work/lists" -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update -qq
(cd "$work" && apt-get "${apt_options[@]}" source --download-only -qq zlib >/dev/null)
mkdir -p "$target"
tar -xjf "$work"/zlib_*.orig.tar.bz2 -C "$target" --strip-components=1
