#!/bin/sh
# Builds both targets: out/x86_64 (with the tests) and out/i686 (shipping).
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
for arch in x86_64 i686; do
    tests=OFF
    [ "$arch" = x86_64 ] && tests=ON
    if [ ! -f "$root/build/$arch/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build/$arch" -G "Unix Makefiles" \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
            -DTOVA_TESTS=$tests >/dev/null
    fi
    cmake --build "$root/build/$arch" -j "$jobs" -- --no-print-directory
done
