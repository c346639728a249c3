# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# Shared by the screenshot script and the desktop tests: a private X display (and optionally a
# window manager) that lives as long as the calling script. Source it, then call start_xvfb.
#
# Every process started here is remembered and ended by stop_session, which start_xvfb installs as
# an EXIT trap; callers that set their own trap must call stop_session from it.

session_pids=()

stop_session()
{
    local pid i
    # Newest first: clients before the window manager before the server.
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
        pid=${session_pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    session_pids=()
}

# Remembers a background process of the caller so that stop_session ends it.
remember_pid()
{
    session_pids+=("$1")
}

# start_xvfb WORKDIR [WIDTHxHEIGHT]: starts Xvfb on the first free display and exports DISPLAY.
# The server picks the display itself (-displayfd), so parallel runs never collide.
start_xvfb()
{
    local workdir=$1 size=${2:-1600x1200}
    local number_file=$workdir/xvfb-display
    : >"$number_file"
    trap stop_session EXIT
    Xvfb -displayfd 3 -screen 0 "${size}x24" -dpi 96 -nolisten tcp -noreset \
        3>"$number_file" 2>"$workdir/xvfb.log" &
    remember_pid $!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if grep -q '^[0-9][0-9]*$' "$number_file" 2>/dev/null; then
            DISPLAY=":$(cat "$number_file")"
            export DISPLAY
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not start; its log:" >&2
    cat "$workdir/xvfb.log" >&2
    return 1
}

# start_openbox WORKDIR: a window manager, so that windows get title bars and stacking rules.
start_openbox()
{
    local workdir=$1
    openbox --sm-disable >"$workdir/openbox.log" 2>&1 &
    remember_pid $!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
            return 0
        fi
        sleep 0.1
    done
    echo "openbox did not start; its log:" >&2
    cat "$workdir/openbox.log" >&2
    return 1
}

# fresh_user_folders WORKDIR: an empty home, settings and runtime folder for the program, so that
# a run neither sees nor leaves anything of the user's own.
fresh_user_folders()
{
    local workdir=$1
    mkdir -p "$workdir/home" "$workdir/config" "$workdir/runtime"
    chmod 700 "$workdir/runtime"
    export HOME=$workdir/home XDG_CONFIG_HOME=$workdir/config XDG_RUNTIME_DIR=$workdir/runtime
}

# wait_for_window TITLE [SECONDS]: prints the id of a visible window with exactly this title that
# is not among the ids given in EXCLUDE_WINDOWS (space separated); fails after SECONDS.
wait_for_window()
{
    local title=$1 seconds=${2:-20} id
    local deadline=$((SECONDS + seconds))
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null); do
            if [[ " ${EXCLUDE_WINDOWS:-} " != *" $id "* ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    echo "no visible window \"$title\" within ${seconds}s" >&2
    return 1
}
