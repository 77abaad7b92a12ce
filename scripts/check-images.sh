#!/bin/sh
# Static checks of the built images: Tovakit exports exactly its 40 ordinals
# by ordinal only, the dialer imports it by ordinal only, and the shipping
# (i686) programs are 32-bit GUI images for subsystem 4.0 that need nothing
# but the system's own DLLs and tovakit.dll. The uninstaller is one of them
# and must work without tovakit.dll, which it may already have deleted.
root=$(cd "$(dirname "$0")/.." && pwd)
fail=0
expected="10 11 12 13 14 15 17 19 50 51 52 53 150 151 152 153 200 201 202 203 301 302 310 311 400 401 500 501 611 700 701 702 703 705 706 707 708 800 801 810"
say() { echo "check-images: $*"; }
system_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll ole32.dll \
oleaut32.dll comdlg32.dll msvcrt.dll version.dll winmm.dll"

for arch in x86_64 i686; do
    dir="$root/out/$arch"
    dll="$dir/tovakit.dll"
    exe="$dir/Tovalink.exe"
    for f in "$dll" "$exe"; do
        [ -f "$f" ] || { say "missing $f"; fail=1; continue 2; }
    done
    exports=$(objdump -p "$dll")
    ords=$(echo "$exports" | sed -n 's/^\s*\[ *[0-9]*\] +base\[ *\([0-9]*\)\].*/\1/p' | tr '\n' ' ')
    named=$(echo "$exports" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -c '^\s\+\[')
    [ "$ords" = "$expected " ] || { say "$arch tovakit.dll exports ordinals: $ords"; fail=1; }
    [ "$named" = 0 ] || { say "$arch tovakit.dll exports $named names"; fail=1; }
    imports=$(objdump -p "$exe" | awk '/DLL Name: /{t=($3=="tovakit.dll");next} t && /^\s*$/{t=0} t && !/vma:/')
    byord=$(echo "$imports" | grep -c '<none>')
    byname=$(echo "$imports" | grep -v '<none>' | grep -c '[^[:space:]]')
    [ "$byord" -gt 0 ] || { say "$arch Tovalink.exe imports nothing from tovakit.dll by ordinal"; fail=1; }
    [ "$byname" = 0 ] || { say "$arch Tovalink.exe imports $byname names from tovakit.dll"; fail=1; }
done

clean="$root/out/i686/Tovaclean.exe"
if [ -f "$clean" ]; then
    objdump -p "$clean" | grep -qi 'DLL Name: tovakit.dll' && { say "$clean imports tovakit.dll"; fail=1; }
else
    say "missing $clean"; fail=1
fi

for f in "$root"/out/i686/*.exe "$root"/out/i686/tovakit.dll; do
    [ -f "$f" ] || continue
    case "$f" in */tvdrive.exe|*_tests.exe|*_e2e.exe) continue ;; esac
    info=$(objdump -p "$f")
    echo "$info" | grep -q '^Magic.*010b' || { say "$f is not PE32"; fail=1; }
    echo "$info" | grep -Eq '^Subsystem\s+00000002' || { say "$f is not a GUI program"; fail=1; }
    echo "$info" | grep -Eq '^MajorSubsystemVersion\s+4$' || { say "$f: subsystem version not 4"; fail=1; }
    echo "$info" | grep -Eq '^MinorSubsystemVersion\s+0$' || { say "$f: subsystem version not 4.0"; fail=1; }
    for d in $(echo "$info" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $system_dlls tovakit.dll " in
            *" $d "*) ;;
            *) say "$f imports $d"; fail=1 ;;
        esac
    done
done
[ $fail = 0 ] && say "ok"
exit $fail
