#!/bin/sh
# Installs what the build and the tests need on a fresh Debian machine, and
# fetches the cabinet library's source into the cache. Safe to run again.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
SUDO=
[ "$(id -u)" = 0 ] || SUDO=sudo

pkgs="cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 \
wine64 xvfb xauth imagemagick xdotool fonts-nanum locales googletest gcab dpkg-dev g++ libgif-dev"
missing=
for p in $pkgs; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Korean locale: Wine takes code page 949 from LANG=ko_KR.UTF-8
if ! locale -a 2>/dev/null | grep -qi '^ko_KR.utf8$'; then
    $SUDO sed -i 's/^# *ko_KR.UTF-8 UTF-8/ko_KR.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi

# libmspack source (cabinet decompressor), kept out of the repository
cache="$here/.cache"
if [ ! -f "$cache/mspack/cabd.c" ]; then
    mkdir -p "$cache"
    if [ ! -f /etc/apt/sources.list.d/debian-src.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            | $SUDO tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
        $SUDO apt-get update -qq || true
    fi
    # The dialer unpacks the dial-up networking cabinet with it; without it
    # the dialer still builds (it then unpacks nothing and the cabinet tests
    # are skipped), so a failed fetch only says so.
    (cd "$cache" && rm -rf libmspack-src && mkdir libmspack-src && cd libmspack-src \
        && apt-get source -qq --download-only libmspack >/dev/null 2>&1 \
        && dpkg-source -x --no-check ./*.dsc src >/dev/null 2>&1) \
        || echo "setup: the cabinet library's source could not be fetched" >&2
    src=$(find "$cache/libmspack-src" -type d -name mspack -path '*/mspack' | head -n 1)
    if [ -n "$src" ]; then
        rm -rf "$cache/mspack" && cp -r "$src" "$cache/mspack"
    fi
fi
