#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
# Checks of the program as the desktop meets it: the Debian package, its contents, the installed
# program on X11 and the program on Wayland. Each check runs in its own temporary folder and
# leaves no process behind.
#
#   desktop_checks.sh package BUILD_DIR OUT_DIR         build the .deb from BUILD_DIR into OUT_DIR
#   desktop_checks.sh contents DEB VERSION LICENSE      its file list, name, dependencies, metadata,
#                                                       copyright file and changelog
#   desktop_checks.sh lintian DEB                       lintian, pedantic, finds nothing unexplained
#   desktop_checks.sh hardening PROGRAM|DEB [PROBE]     the hardening of PROGRAM (or of the DEB's
#                                                       program), PROBE's fortified calls and
#                                                       stack-clash probes
#   desktop_checks.sh run-installed DEB                 extract it and start the program on X11
#   desktop_checks.sh wayland PROGRAM                   start PROGRAM under a Wayland compositor
#
# The last two run on a private X display with fresh home and XDG folders: a session of the
# end-to-end harness, which ends whatever they started.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
harness=$here/../e2e/harness.py
entry_title=$(python3 "$harness" title entry)

fail()
{
    echo "FAIL: $*" >&2
    exit 1
}

# eventually SECONDS COMMAND...: true once COMMAND succeeds, tried again until SECONDS have passed.
eventually()
{
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

has_icon()
{
    xprop -id "$1" _NET_WM_ICON | grep -q '^_NET_WM_ICON(CARDINAL) = '
}

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

package()
{
    local build=$1 out=$2
    rm -rf "$out"
    mkdir -p "$out"
    (cd "$build" && cpack -G DEB -B "$out") >"$workdir/cpack.log" 2>&1 ||
        { cat "$workdir/cpack.log"; fail "cpack failed"; }
    ls "$out"/*.deb
}

contents()
{
    local deb=$1 version=$2 license=$3
    local arch
    arch=$(dpkg --print-architecture)
    [ "$(basename "$deb")" = "skyrand_${version}_${arch}.deb" ] ||
        fail "package is named $(basename "$deb"), not skyrand_${version}_${arch}.deb"

    dpkg-deb -c "$deb" | awk '{print $NF}' >"$workdir/files"
    echo "Files:"
    sed 's/^/  /' "$workdir/files"
    for wanted in ./usr/bin/skyrand \
        ./usr/share/applications/org.orrimsoftwares.Skyrand.desktop \
        ./usr/share/icons/hicolor/scalable/apps/skyrand.svg \
        ./usr/share/metainfo/org.orrimsoftwares.Skyrand.metainfo.xml \
        ./usr/share/doc/skyrand/copyright \
        ./usr/share/doc/skyrand/changelog.gz \
        ./usr/share/man/man1/skyrand.1.gz; do
        grep -qxF "$wanted" "$workdir/files" || fail "the package lacks $wanted"
    done
    if grep -vE '^\./usr/(bin|share)/' "$workdir/files" | grep -vqxF './usr/'; then
        fail "the package installs outside /usr/bin and /usr/share"
    fi

    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # Computed from the program's libraries, plus the plugins that it loads at run time. A library
    # may carry Debian 13's t64 suffix (libqt6core6t64): its package since time_t became 64 bits.
    local t64
    for wanted in libqt6widgets6 libqt6gui6 libqt6core6 libc6 xdg-utils; do
        for t64 in "" t64; do
            [[ ", $depends," == *", $wanted$t64 "* || ", $depends," == *", $wanted$t64,"* ]] &&
                continue 2
        done
        fail "Depends lacks $wanted"
    done
    # Every dependency names a package that exists: here each one is installed.
    local name
    for name in $(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/|.*//' | tr -d ' '); do
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
            fail "Depends names $name, which is not installed here"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"

    # The installed files agree with each other: metainfo, desktop entry and icon.
    dpkg-deb -x "$deb" "$workdir/root"
    appstreamcli validate-tree --no-net "$workdir/root" | tee "$workdir/tree.log"
    if grep -qE '^ *[EW]: ' "$workdir/tree.log"; then
        fail "appstreamcli validate-tree reports errors or warnings"
    fi

    # The copyright file carries LICENSE's holder and its whole permission notice, unchanged by
    # the indentation that the copyright format asks for.
    local copyright=$workdir/root/usr/share/doc/skyrand/copyright holder
    holder=$(sed -n 's/^Copyright (c) //p' "$license")
    grep -qxF "Copyright: $holder" "$copyright" || fail "the copyright file does not name $holder"
    sed -n '/^Permission is hereby granted/,$p' "$license" >"$workdir/license.wanted"
    sed -n '/^License: MIT$/,/^$/{/^ /p}' "$copyright" | sed 's/^ //; s/^\.$//' \
        >"$workdir/license.shipped"
    diff -u "$workdir/license.wanted" "$workdir/license.shipped" ||
        fail "the copyright file's licence text differs from LICENSE"

    # The changelog's latest entry is this version's.
    zcat "$workdir/root/usr/share/doc/skyrand/changelog.gz" >"$workdir/changelog"
    local logged
    logged=$(dpkg-parsechangelog -l "$workdir/changelog" -S Version)
    [ "$logged" = "$version" ] || fail "the changelog's latest entry is $logged, not $version"
}

# Lintian's tags that are neither errors nor warnings and that the package keeps on purpose, each
# as lintian prints it: Debian 12's lintian, then Debian 13's; the README's section on the Debian
# package says why.
explained_tags=(
    # "Orrim Softwares" is the vendor's name, which the program's texts spell so.
    'I: skyrand: spelling-error-in-binary softwares software [usr/bin/skyrand]'
    'X: skyrand: spelling-error-in-binary softwares software [usr/bin/skyrand:1]'
)

lint()
{
    local deb=$1
    # The verdict is ours, from the tags, rather than lintian's exit status.
    lintian --pedantic --display-info --display-experimental --fail-on none "$deb" \
        >"$workdir/lintian.log" 2>"$workdir/lintian.err" ||
        { cat "$workdir/lintian.err"; fail "lintian did not run"; }
    cat "$workdir/lintian.log"
    local line explained unexplained=0
    while IFS= read -r line; do
        # Tag lines only: a letter for the kind, then the package.
        [[ $line =~ ^[A-Z]:\  ]] || continue
        for explained in "${explained_tags[@]}"; do
            [ "$line" = "$explained" ] && continue 2
        done
        echo "Neither fixed nor explained: $line" >&2
        unexplained=1
    done <"$workdir/lintian.log"
    ((unexplained == 0)) || fail "lintian reports tags that are neither fixed nor explained"
    echo "lintian --pedantic: no errors, no warnings, nothing unexplained."
}

# hardening_check ARGS... BINARY: hardening-check's report and verdict, the report kept in
# $workdir/hardening.log. Control-flow protection is built in (-fcf-protection) but not asked
# for: the linker marks an executable only when every object in it is marked, and the C library's
# start-up objects are not, on Debian 12 nor on Debian 13. Branch protection is arm64's, which
# Debian 13's hardening-check asks for on every architecture.
hardening_check()
{
    local skip=(--nocfprotection)
    if [ "$(dpkg --print-architecture)" != arm64 ] &&
        [[ $(hardening-check --help 2>&1) == *--nobranchprotection* ]]; then
        skip+=(--nobranchprotection)
    fi
    hardening-check "${skip[@]}" "$@" >"$workdir/hardening.log" ||
        { cat "$workdir/hardening.log"; fail "hardening-check finds a missing protection"; }
    cat "$workdir/hardening.log"
}

hardening()
{
    local program=$1 probe=${2:-}
    if [[ $program == *.deb ]]; then
        dpkg-deb -x "$program" "$workdir/root"
        program=$workdir/root/usr/bin/skyrand
        [ -x "$program" ] || fail "no executable usr/bin/skyrand in the package"
    fi
    # The program calls no C library function whose bounds fortification can know (only memcpy
    # and memmove into buffers of unknown size), and makes no stack frame large or variable enough
    # for stack-clash probes, so nothing in it shows either; an executable built with the same
    # flags shows both, and only that is asked of it. hardening-check finds no stack-clash probe
    # "unknown" rather than missing: the probe's report must say yes.
    hardening_check --nofortify "$program"
    [ -n "$probe" ] || return 0
    hardening_check --nopie --nostackprotector --norelro --nobindnow "$probe"
    grep -q '^ Stack clash protection: yes' "$workdir/hardening.log" ||
        fail "$probe has no stack-clash protection"
}

run_installed()
{
    local deb=$1
    dpkg-deb -x "$deb" "$workdir/root"
    local program=$workdir/root/usr/bin/skyrand
    [ -x "$program" ] || fail "no executable usr/bin/skyrand in the package"

    env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" >"$workdir/skyrand.log" 2>&1 &
    local pid=$!

    local window
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^${entry_title}\$" |
        head -n 1) ||
        { cat "$workdir/skyrand.log"; fail "the installed program showed no window"; }
    [ "$(xdotool getwindowpid "$window")" = "$pid" ] ||
        fail "the window does not belong to the installed program"
    # The window carries the icon that was drawn from its SVG source at build time.
    eventually 10 has_icon "$window" || fail "the window carries no icon"
    xprop -id "$window" WM_CLASS | grep -q '"skyrand"' ||
        fail "the window's class does not match the desktop entry's StartupWMClass"
    echo "The installed program shows its window \"$entry_title\" (window $window)."
}

# wayland_window_drawn LOG: the client's protocol log shows a top-level window with the entry
# window's caption and the application id of the menu entry, whose own surface got a frame. An
# object is "interface@id" to libwayland before 1.23 (Debian 12), "interface#id" since (Debian 13).
wayland_window_drawn()
{
    local log=$1 toplevel xdg_surface surface
    toplevel=$(grep -o "xdg_toplevel[@#][0-9]*\.set_title(\"${entry_title//./\\.}\")" "$log" | head -1 |
        sed 's/^xdg_toplevel[@#]//; s/\..*//')
    [ -n "$toplevel" ] || return 1
    grep -q "xdg_toplevel[@#]$toplevel\.set_app_id(\"org\.orrimsoftwares\.Skyrand\")" "$log" ||
        return 1
    xdg_surface=$(grep -o "xdg_surface[@#][0-9]*\.get_toplevel(new id xdg_toplevel[@#]$toplevel)" "$log" |
        head -1 | sed 's/^xdg_surface[@#]//; s/\..*//')
    [ -n "$xdg_surface" ] || return 1
    surface=$(grep -o "get_xdg_surface(new id xdg_surface[@#]$xdg_surface, wl_surface[@#][0-9]*)" "$log" |
        head -1 | sed 's/.*wl_surface[@#]//; s/)//')
    [ -n "$surface" ] && grep -q "wl_surface[@#]$surface\.attach(wl_buffer[@#]" "$log"
}

wayland()
{
    local program=$1
    # A Wayland compositor needs a seat for Qt's input handling, so it runs nested on the private
    # X server (its own display, keyboard and pointer) rather than with no input at all.
    local socket=skyrand-wayland
    weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 --socket=$socket \
        --width=1200 --height=960 >"$workdir/weston.log" 2>&1 &
    eventually 10 test -S "$XDG_RUNTIME_DIR/$socket" ||
        { cat "$workdir/weston.log"; fail "weston did not start"; }

    # No X display for the program: it must speak Wayland or fail.
    env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
        "$program" >"$workdir/skyrand.log" 2>&1 &
    local pid=$!

    local deadline=$((SECONDS + 30)) shown=
    while ((SECONDS < deadline)); do
        if wayland_window_drawn "$workdir/skyrand.log"; then
            shown=1
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    sleep 1
    if [ -z "$shown" ] || ! kill -0 "$pid" 2>/dev/null; then
        grep -v '^\[' "$workdir/skyrand.log" | tail -20
        fail "the program did not show its window on Wayland"
    fi
    echo "The program shows its window \"$entry_title\" on Wayland."
}

command=${1:-}
shift || true
case "$command" in
package) package "$@" ;;
contents) contents "$@" ;;
lintian) lint "$@" ;;
hardening) hardening "$@" ;;
run-installed | wayland) python3 "$harness" session -- "$0" "$command-on-display" "$@" ;;
run-installed-on-display) run_installed "$@" ;;
wayland-on-display) wayland "$@" ;;
*) fail "usage: $0 package|contents|lintian|hardening|run-installed|wayland ..." ;;
esac
