#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, and with --tests also the
# outside readers the tests check the output with; installs nothing and
# prints nothing when they are all present. Run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config  # the build
  zlib1g-dev                        # embedded images of JWW drawings
  libgtest-dev libbenchmark-dev     # unit tests and benchmarks
  qt6-base-dev                      # the desktop program
  qt6-translations-l10n             # Qt's own dialogs and menus in Japanese
  fonts-ipafont-gothic              # Japanese captions and the log's fixed-width font
)

if [ "${1:-}" = "--tests" ]; then
  packages+=(
    clang libclang-rt-14-dev        # libFuzzer and its sanitizer runtimes
    clang-format                    # the house style (.clang-format), checked by a test
    python3-ezdxf                   # DXF readers for the read-back tests: ezdxf,
    gdal-bin                        # GDAL's ogrinfo,
    librecad                        # LibreCAD (dxf2pdf, headless),
    freecad                         # FreeCAD's DXF import (freecadcmd),
    libreoffice-draw                # LibreOffice Draw's (soffice --headless),
    inkscape python3-lxml python3-cssselect python3-numpy  # and Inkscape's (its dxf_input extension)
    poppler-utils                   # pdftoppm: LibreCAD's page as a picture
    xvfb xauth                      # the window on a virtual display (screenshot)
    dpkg-dev file desktop-file-utils shared-mime-info  # the Debian package (CPack runs file) and its test
    g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 unzip  # the Windows build, run under Wine, and its zip
    fonts-wine                      # Wine's own fonts (the window frames' symbols)
    nsis                            # the Windows installer (makensis)
    locales                         # the test locales (below)
    emscripten bzip2                # the WebAssembly build, and zlib's source for it
    chromium                        # the page, driven headless (scripts/test-wasm.sh)
  )
  # Node.js and npm for the page's test: Debian's, unless the machine has its own.
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The locales the tests run in: a decimal-comma one (de_DE.UTF-8) for the
# number tests, a Japanese one (ja_JP.UTF-8) for the window under Wine.
if [ "${1:-}" = "--tests" ]; then
  for wanted in de_DE ja_JP; do
    locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8\$" && continue
    echo "Generating the $wanted.UTF-8 locale"
    sed -i "s/^# *\($wanted\.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted\.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" >> /etc/locale.gen
    locale-gen >/dev/null
  done
fi
