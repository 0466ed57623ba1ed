#!/usr/bin/env bash
# Builds the Debian package in build-package/ (a Release build of the program alone) and checks it: the desktop
# entry and the AppStream metadata validate, lintian finds no error, the package holds exactly the expected files,
# runs no maintainer script (so installing, upgrading and removing never touch a data folder), declares the
# packages the program loads at run time, and the program unpacked from it answers --version without a display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-package"

bash "$root/tools/install-deps.sh" dpkg-dev file lintian appstream desktop-file-utils

# Debian's hardening flags, as a package built by its own tools would have them; debug information would be
# stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
options=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DQUENVALE_BUILD_TESTS=OFF
         -DQUENVALE_BUILD_BENCH=OFF "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags")
if command -v ccache >/dev/null; then
    options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" "${options[@]}"
cmake --build "$build" --target package

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/quenvale_${version}_$(dpkg --print-architecture).deb"
[[ -f "$deb" ]] || { echo "check-package: $deb was not made" >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
dpkg -x "$deb" "$scratch/root"

fail() {
    echo "check-package: $*" >&2
    exit 1
}

desktop-file-validate "$scratch/root/usr/share/applications/quenvale.desktop"
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/cn.quenvale.Quenvale.metainfo.xml"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

{
    printf '%s\n' ./usr/bin/quenvale ./usr/share/applications/quenvale.desktop ./usr/share/doc/quenvale/changelog.gz \
        ./usr/share/doc/quenvale/copyright ./usr/share/man/man1/quenvale.1.gz \
        ./usr/share/metainfo/cn.quenvale.Quenvale.metainfo.xml
    for size in 16 22 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/quenvale.png"
    done
} | sort >"$scratch/expected"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$scratch/shipped"
diff -u "$scratch/expected" "$scratch/shipped" || fail "the package's files differ from the expected list"

dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'inst$|rm$|config$' && fail "the package runs maintainer scripts"

depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libsqlite3-0 qt6-translations-l10n fonts-noto-cjk; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done

answer="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$scratch/home" \
    "$scratch/root/usr/bin/quenvale" --version)" || fail "the packaged program failed to answer --version"
[[ "$answer" == "Quenvale $version" ]] || fail "--version printed '$answer', not 'Quenvale $version'"
[[ ! -e "$scratch/home" ]] || fail "--version made files in the user's home"

echo "check-package: ok: $deb"
