# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Drives the real skyrand program on a private X display, as a user would.

Every test gets a Session: its own Xvfb with the window manager SKYRAND_E2E_WM names (openbox
when unset), fresh HOME and XDG folders, and a fake xdg-open first on PATH that records each
argument as a line of a file. Input goes through xdotool. Whatever a session started is killed
when the test ends, pass or fail, including what the program started detached (the harness is
their subreaper).

    python3 tests/e2e/test_faults.py build/skyrand [TestClass[.test]]
    python3 tests/e2e/harness.py session [--wm NAME] [--screen WxH] [--dpi N] -- COMMAND...
    python3 tests/e2e/harness.py title entry|exit|message
"""

import argparse
import atexit
import ctypes
import datetime
import json
import os
import re
import shlex
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM = None  # the skyrand executable, set by main()
TIMEOUT = 60.0  # for waiting only: a sanitizer build on a busy machine is slow
TEST_BUDGET = 300  # seconds one test method may take before it is stopped and cleaned up
SCREEN = (1280, 1024)  # the size of a session's X screen, unless it asks for another

_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1
_PR_SET_CHILD_SUBREAPER = 36

# The page addresses the program hands to the browser.
SITE = "https://www.orrimsoftwares.com"
HELP_PAGE = SITE + "/skyrand/ssd.php?page=help-web-page"
DOWNLOAD_PAGE = SITE + "/skyrand/ssd.php?page=download-web-page"
REFER_PAGE = SITE + "/skyrand/ssd.php?page=qvot-refer-a-friend"


DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


def _data(name):
    """One of the files that the unit tests check the program against (tests/data)."""
    with open(os.path.join(DATA, name), encoding="utf-8") as f:
        return json.load(f)


# What the browser must get from the exit window's form, by the form's texts: (name, e-mail,
# friend's name, friend's e-mail): address, as bytes.
REFER_REQUESTS = {(r["name"], r["email"], r["friend name"], r["friend email"]):
                  r["address"].encode() for r in _data("refer-requests.json")["requests"]}


def refer_request(name, email, friend_name, friend_email):
    return REFER_REQUESTS[(name, email, friend_name, friend_email)]


def _version():
    """The version, from the one place that sets it: project(VERSION ...) of the top CMakeLists."""
    top = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "CMakeLists.txt")
    with open(top) as f:
        found = re.search(r"project\(skyrand\s+VERSION\s+([0-9.]+)", f.read())
    if not found:
        raise AssertionError("no project(skyrand VERSION ...) in " + top)
    return found.group(1)


ENTRY_TITLE = "Skyrand v" + _version()  # the entry, result and about windows
EXIT_TITLE = "Skyrand v1.20"
MESSAGE_TITLE = "Skyrand"

# The window managers the tests run under, each without its desktop session around it and, but
# for mutter, which is always one on X11, without compositing, which would only add latency to
# every map: what the tests look at is how the window manager places, stacks, focuses and closes
# the program's windows.
WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "xfwm4": ["xfwm4", "--compositor=off", "--sm-client-disable"],
    # --compositor=none is what metacity 3.46 calls --no-composite (which it warns is deprecated).
    "metacity": ["metacity", "--compositor=none", "--sm-disable"],
    "mutter": ["mutter", "--x11", "--replace", "--sm-disable"],
    "kwin": ["kwin_x11", "--replace"],
}

# The window managers that get a private session bus; the program keeps running without one.
# xfwm4 reads its settings through xfconfd, which it reaches over D-Bus only, and without it ends
# at once. KWin's key bindings (Alt+F4 among them) live in kglobalaccel, a service it starts
# over D-Bus.
_WM_ON_A_BUS = ("xfwm4", "kwin")

# What a window manager needs in its environment beyond the harness's own: KWin, a Qt program
# itself, must not composite and must not look for a Wayland display.
_WM_ENVIRONMENT = {
    "kwin": {"KWIN_COMPOSE": "N", "QT_QPA_PLATFORM": "xcb"},
}


# The Wayland compositors a session can be instead of an X server with a window manager: the
# program then runs as a native Wayland client (wayland.py).
WAYLAND_COMPOSITORS = ("mutter-wayland",)


def window_manager_name():
    """The window manager (or Wayland compositor) SKYRAND_E2E_WM asks for; openbox when it is
    unset or empty."""
    name = os.environ.get("SKYRAND_E2E_WM") or "openbox"
    if name not in WINDOW_MANAGERS and name not in WAYLAND_COMPOSITORS:
        raise AssertionError(f"SKYRAND_E2E_WM={name}: not one of "
                             f"{', '.join(list(WINDOW_MANAGERS) + list(WAYLAND_COMPOSITORS))}")
    return name


# Where xfconfd keeps its settings, under XDG_CONFIG_HOME.
_XFCONF_CHANNELS = ("xfce4", "xfconf", "xfce-perchannel-xml")


def _window_ids(xprop_output):
    """The window ids in xprop's answer for a WINDOW property, in xdotool's decimal form."""
    if "#" not in xprop_output:
        return []
    return [str(int(word.strip(), 16)) for word in xprop_output.split("#", 1)[1].split(",")
            if word.strip().startswith("0x")]


def _tail(path):
    """The end of a log, for failure messages."""
    try:
        with open(path, "rb") as f:
            return f.read()[-2000:].decode("utf-8", "replace")
    except OSError:
        return ""


def tool(name):
    """The absolute path of a command-line tool: the program's PATH may lack it on purpose."""
    path = shutil.which(name)
    if not path:
        raise AssertionError(f"{name} is not installed (scripts/deps test installs it)")
    return path


def wait_until(condition, what, timeout=TIMEOUT, describe=None):
    """Polls condition until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            detail = "\n" + describe() if describe else ""
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(0.05)


# --- the settings file, byte for byte as the program writes it ------------------------------

_SETTINGS = _data("settings.json")
_DATE_CHARACTERS = _SETTINGS["date characters"]
REMINDER_KEY = _SETTINGS["key"].encode()


def settings_bytes(date):
    """The settings file that holds one last-reminder date."""
    value = "".join(_DATE_CHARACTERS[c] for c in date.isoformat()).encode("utf-8")
    return _SETTINGS["section"].encode() + b"\n" + REMINDER_KEY + b"=" + value + b"\n"


def stored_date(path):
    """The last-reminder date in a settings file, as text; None when there is none."""
    try:
        with open(path, "rb") as f:
            lines = f.read().split(b"\n")
    except OSError:
        return None
    plain = {written: c for c, written in _DATE_CHARACTERS.items()}
    for line in lines:
        if line.startswith(REMINDER_KEY + b"="):
            value = line[len(REMINDER_KEY) + 1:].decode("utf-8", "replace")
            return "".join(plain.get(c, "?") for c in value)
    return None


def today():
    return datetime.date.today()


def settings_days(days):
    """The settings file whose last-reminder date lies this many days from today."""
    return settings_bytes(today() + datetime.timedelta(days=days))


# --- processes ---------------------------------------------------------------------------------


def _die_with_harness():
    # A harness killed from outside (a CTest timeout) takes its direct children with it.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


def _descendants():
    """Process ids of everything below this process."""
    parents = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        fields = _stat(entry)
        if fields:
            parents.setdefault(int(fields[1]), []).append(int(entry))
    found, todo = [], [os.getpid()]
    while todo:
        for child in parents.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def _kill_descendants():
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        pids = _descendants()
        if not pids:
            return
        for pid in pids:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        # Reap them; anything orphaned meanwhile is re-parented to us and found next round.
        while True:
            try:
                if os.waitpid(-1, os.WNOHANG)[0] == 0:
                    break
            except ChildProcessError:
                break
        time.sleep(0.02)


def _stat(pid):
    """The fields of /proc/PID/stat after the command's name (state, parent, ...), or []."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()
    except OSError:
        return []


def _ended(pid):
    """Whether the process is gone or a zombie."""
    return _stat(pid)[:1] in ([], ["Z"])


def _end(processes):
    """Terminates the processes, and kills those still there after 5 seconds."""
    for process in processes:
        if process.poll() is None:
            process.terminate()
    for process in processes:
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def _start_telling(what, command, log_path, **options):
    """Starts a server that writes one line, where it is to be reached, to the file descriptor
    that command(fd) hands it; returns (process, that line)."""
    read_end, write_end = os.pipe()
    with open(log_path, "wb") as log:
        process = subprocess.Popen(command(write_end), pass_fds=[write_end],
                                   stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                                   preexec_fn=_die_with_harness, **options)
    os.close(write_end)
    with os.fdopen(read_end, "rb") as pipe:
        told = pipe.readline().decode().strip()
    if not told:
        process.kill()
        process.wait()
        raise AssertionError(f"{what} did not start: " + _tail(log_path))
    return process, told


def start_xvfb(log_path, screen=SCREEN, dpi=None):
    """An X server on the first free display, which it picks itself (-displayfd), so that runs
    side by side never collide; returns (process, display name)."""
    xvfb, number = _start_telling("Xvfb", lambda fd: [
        tool("Xvfb"), "-displayfd", str(fd), "-screen", "0", "%dx%dx24" % screen, "-nolisten",
        "tcp", "-noreset"] + (["-dpi", str(dpi)] if dpi else []), log_path)
    return xvfb, ":" + number


def start_session_bus(root, env, log_path):
    """A private D-Bus session bus with its socket in root; returns (process, address)."""
    return _start_telling("dbus-daemon", lambda fd: [
        tool("dbus-daemon"), "--session", "--nofork", "--nopidfile", "--address=unix:dir=" + root,
        f"--print-address={fd}"], log_path, env=env)


class Program:
    """One started skyrand process."""

    def __init__(self, popen, log):
        self.popen = popen
        self.pid = popen.pid
        self.log = log

    def running(self):
        return self.popen.poll() is None

    def wait_exit(self, timeout=TIMEOUT):
        try:
            return self.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"skyrand {self.pid} did not end within {timeout:.0f} s")

    def kill(self):
        """Ends it as a crash would, and reaps it, so that its pid is really gone."""
        self.popen.kill()
        self.popen.wait()

    def output(self):
        with open(self.log, "rb") as f:
            return f.read().decode("utf-8", "replace")


class Session:
    """A private desktop for one test, closed by the test's cleanup or at the end of a with."""

    open_sessions = 0
    # Whether the stacking order of windows can be seen from outside the window manager.
    shows_stacking = True
    # Whether a click can be aimed at a point of a window: where something reports where it is.
    aims_clicks = True
    # xfwm4 finding no settings stored writes each of its defaults to xfconfd, one call after
    # the other, and that is most of its start (0.8 s or more, against 0.25 s with them). What
    # the first xfwm4 of a test process leaves behind is where the later ones start from: the
    # same defaults, at once.
    _xfconf_seed = None

    def __init__(self, test, window_manager=None, xdg_open="record", screen=SCREEN, dpi=None):
        """window_manager names one of WINDOW_MANAGERS, or is "" for none (a bare X server); by
        default SKYRAND_E2E_WM decides."""
        self.root = tempfile.mkdtemp(prefix="skyrand-e2e-")
        self.programs = []
        self._helpers = []  # Xvfb, the window manager's bus, the window manager
        self._wm = None
        self._wm_bus = None  # the address of the window manager's bus, if it has one
        self._wm_config = None  # its XDG_CONFIG_HOME
        self._closed = False
        # The environment of a bus the desktop itself runs on (a Wayland compositor's), which
        # accessibility clients share; None on X11.
        self.desktop_bus = None
        # The AT-SPI client a Wayland session reads its windows with, for others to share.
        self.atspi_client = None
        Session.open_sessions += 1
        test.addCleanup(self.close)

        def folder(name, mode=0o755):
            path = os.path.join(self.root, name)
            os.mkdir(path, mode)
            os.chmod(path, mode)
            return path

        self.home = folder("home")
        self.config = folder("config")
        self.runtime = folder("runtime", 0o700)
        self.bin = folder("bin")
        self.logs = folder("logs")
        self.opened_file = os.path.join(self.root, "opened")
        self.settings_file = os.path.join(self.config, "skyrand.ini")
        self.xdg_open = os.path.join(self.bin, "xdg-open")
        self.env = {
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_CACHE_HOME": folder("cache"),
            "XDG_DATA_HOME": folder("data"),
            "XDG_STATE_HOME": folder("state"),
            # Where the program falls back when the runtime folder is unusable: keep it private.
            "TMPDIR": folder("tmp", 0o700),
            "PATH": self.bin + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
            # No session bus: nothing may start one on the program's behalf.
            "DBUS_SESSION_BUS_ADDRESS": "disabled:",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TZ"):
            if name in os.environ:
                self.env[name] = os.environ[name]
        self._install_xdg_open(xdg_open)

        if window_manager is None:
            window_manager = window_manager_name()
        self.window_manager = window_manager
        self._start_desktop(folder, screen, dpi)

    # -- set-up --

    def _start_desktop(self, folder, screen, dpi):
        """The X server, and the window manager on it."""
        if self.window_manager and self.window_manager not in WINDOW_MANAGERS:
            raise AssertionError(f"unknown window manager {self.window_manager!r}")
        xvfb, self.display = start_xvfb(os.path.join(self.logs, "xvfb.log"), screen, dpi)
        self._helpers.append(xvfb)
        self.env["DISPLAY"] = self.display
        self._prime_test_keyboard()
        if self.window_manager:
            self._start_window_manager(folder("wm", 0o700))

    def _install_xdg_open(self, kind):
        """The fake browser launcher: "record", "fail", "hang", or None for no xdg-open at all."""
        if kind is None:
            self.env["PATH"] = self.bin  # nothing else: no launcher anywhere on PATH
            return
        record = f"printf '%s\\n' \"$@\" >> {shlex.quote(self.opened_file)}\n"
        tail = {
            "record": "",
            "fail": "echo 'xdg-open: no method available for opening' >&2\nexit 3\n",
            "hang": f"exec {shlex.quote(tool('sleep'))} 300\n",
        }[kind]
        with open(self.xdg_open, "w") as f:
            f.write("#!/bin/sh\n" + record + tail)
        os.chmod(self.xdg_open, 0o755)

    def _prime_test_keyboard(self):
        """Makes xdotool's keyboard the one the server's core keyboard follows, before the window
        manager is there.

        Keys from xdotool come from the server's test device. The first of them switches the core
        keyboard over to it, and a window manager answers the switch by ungrabbing and grabbing
        again its key bindings: a shortcut of its own (openbox's Alt+F4) pressed in that gap went
        to the program instead, now and then, on a busy machine. Nothing else types here, so the
        switch happens once, now, with no one to see it."""
        self._run([tool("xdotool"), "key", "shift"])

    def _start_window_manager(self, root):
        # The window manager gets folders of its own: what it writes (xfwm4 its settings,
        # openbox its log) must not land among the program's files, which the tests inspect.
        env = {"DISPLAY": self.display, "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
               "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
               # GSettings defaults, without dconf, which would look for a session bus.
               "GSETTINGS_BACKEND": "memory",
               # GTK would look for the accessibility bus, and start it through a session bus.
               "NO_AT_BRIDGE": "1",
               "DBUS_SESSION_BUS_ADDRESS": "disabled:"}
        for name in ("HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                     "XDG_STATE_HOME", "XDG_RUNTIME_DIR"):
            env[name] = os.path.join(root, name.lower())
            os.mkdir(env[name], 0o700)
        env.update(_WM_ENVIRONMENT.get(self.window_manager, {}))
        self._wm_config = env["XDG_CONFIG_HOME"]
        if self.window_manager in _WM_ON_A_BUS:
            self._wm_bus = self._start_bus(root, env)
            env["DBUS_SESSION_BUS_ADDRESS"] = self._wm_bus
            if self.window_manager == "xfwm4" and Session._xfconf_seed:
                shutil.copytree(Session._xfconf_seed, os.path.join(
                    env["XDG_CONFIG_HOME"], *_XFCONF_CHANNELS))
        wm = self._start_helper([tool(WINDOW_MANAGERS[self.window_manager][0])] +
                                WINDOW_MANAGERS[self.window_manager][1:], "wm.log", env, root)
        self._wm = wm

        def managed():
            if wm.poll() is not None:
                raise AssertionError(f"{self.window_manager} ended at start: " +
                                     self._tail("wm.log"))
            return self._wm_check_window()
        check = wait_until(managed, f"{self.window_manager} to manage the display",
                           describe=lambda: self._tail("wm.log"))
        if self.window_manager == "xfwm4":
            self._advance_xfwm4_clock(check)

    def _advance_xfwm4_clock(self, check):
        """Gives xfwm4 a time later than its own start before any window of ours maps.

        xfwm4 stamps the focus it gives a new window with the time of the last event it saw.
        Its start ends by focusing its own window at the server's current time, and a window
        mapped before xfwm4 has seen any later event gets the focus at an earlier time, which
        the X server ignores; Qt then takes that stale time from WM_TAKE_FOCUS for its own
        activation, which is ignored too, and the keyboard stays with xfwm4 for good. A user
        never starts a program within that instant, so the harness ends it: once the focus is
        on xfwm4's window, a property changed on the root reaches xfwm4, stamped later, before
        anything the tests start."""
        wait_until(lambda: self.input_focus() == check, "xfwm4 to take the keyboard at start",
                   describe=lambda: self._tail("wm.log"))
        self._run([tool("xprop"), "-root", "-f", "_SKYRAND_E2E_CLOCK", "32c", "-set",
                   "_SKYRAND_E2E_CLOCK", "1"])

    def _wm_check_window(self):
        """The window manager's check window, once it is really there: the root names it, and
        it names itself (a check window left behind by a window manager that died would not
        exist any more, and a half-started one has not set both yet)."""
        named = _window_ids(self._run([tool("xprop"), "-root", "_NET_SUPPORTING_WM_CHECK"],
                                      check=False))
        if not named:
            return None
        itself = _window_ids(self._run([tool("xprop"), "-id", named[0],
                                        "_NET_SUPPORTING_WM_CHECK"], check=False))
        return named[0] if itself == named else None

    def _end_bus_services(self):
        """Ends what the window manager's bus started for it (xfconfd, which saves its
        settings as it ends). The bus starts its services detached, so they come to the
        harness, the subreaper, to be reaped."""
        if not self._wm_bus:
            return
        marker = b"\0DBUS_SESSION_BUS_ADDRESS=" + self._wm_bus.encode() + b"\0"
        for pid in _descendants():
            try:
                with open(f"/proc/{pid}/environ", "rb") as f:
                    if marker not in b"\0" + f.read():
                        continue
                os.kill(pid, signal.SIGTERM)
            except (OSError, ProcessLookupError):
                continue
            try:
                os.waitpid(pid, 0)
            except ChildProcessError:  # not ours: the harness is not the subreaper
                wait_until(lambda: _ended(pid), f"process {pid} to end", timeout=5)
        channels = os.path.join(self._wm_config, *_XFCONF_CHANNELS)
        if Session._xfconf_seed is None and os.path.isdir(channels) and os.listdir(channels):
            seed = tempfile.mkdtemp(prefix="skyrand-e2e-xfconf-")
            atexit.register(shutil.rmtree, seed, True)
            Session._xfconf_seed = os.path.join(seed, "channels")
            shutil.copytree(channels, Session._xfconf_seed)

    def _start_helper(self, command, log_name, env, cwd):
        """Starts a process of the desktop's own, logging into the session's logs; it ends with
        the session."""
        with open(os.path.join(self.logs, log_name), "wb") as log:
            process = subprocess.Popen(command, env=env, cwd=cwd, stdin=subprocess.DEVNULL,
                                       stdout=log, stderr=subprocess.STDOUT,
                                       preexec_fn=_die_with_harness)
        self._helpers.append(process)
        return process

    def _start_bus(self, root, env):
        bus, address = start_session_bus(root, env, os.path.join(self.logs, "bus.log"))
        self._helpers.append(bus)
        return address

    # -- the program --

    def start(self, unset=(), gate=None):
        """Starts skyrand; unset names environment variables it goes without. With gate (a
        FIFO) it waits until the gate is opened, so that several can be let go at one instant."""
        environment = dict(self.env)
        for name in unset:
            environment.pop(name, None)
        command = [PROGRAM]
        if os.geteuid() == 0:
            # Root ignores permission bits; the program runs without the capabilities that
            # override them, so a read-only folder is read-only for it as for any user.
            caps = "-dac_override,-dac_read_search"
            command = [tool("setpriv"), "--inh-caps=" + caps, "--bounding-set=" + caps] + command
        if gate:
            command = ["/bin/sh", "-c", 'read _ < "$0"; exec "$@"', gate] + command
        log = os.path.join(self.logs, f"skyrand-{len(self.programs)}.log")
        with open(log, "wb") as output:
            popen = subprocess.Popen(command, env=environment, stdin=subprocess.DEVNULL,
                                     stdout=output, stderr=subprocess.STDOUT,
                                     preexec_fn=_die_with_harness)
        program = Program(popen, log)
        self.programs.append(program)
        return program

    def start_at_once(self, count):
        """Starts count instances that all begin at the same instant."""
        gate = os.path.join(self.root, "gate")
        os.mkfifo(gate)
        # While we hold the FIFO's only writing end, every start blocks reading it; closing it
        # gives them all end-of-file at the same moment.
        writer = os.open(gate, os.O_RDWR)
        try:
            programs = [self.start(gate=gate) for _ in range(count)]
            wait_until(lambda: all(self._holds(p.pid, gate) for p in programs),
                       "every start to wait at the gate")
        finally:
            os.close(writer)
        return programs

    @staticmethod
    def _holds(pid, path):
        try:
            return any(os.readlink(f"/proc/{pid}/fd/{fd}") == path
                       for fd in os.listdir(f"/proc/{pid}/fd"))
        except OSError:
            return False

    # -- windows --

    def _call(self, args):
        return subprocess.run(args, env=self._tool_env(), capture_output=True, timeout=TIMEOUT)

    def _run(self, args, check=True):
        result = self._call(args)
        if check and result.returncode != 0:
            raise AssertionError(f"{' '.join(args)} failed: {result.stderr.decode()}")
        return result.stdout.decode("utf-8", "replace")

    def _walk(self, args):
        """Runs a tool that walks the window tree (xdotool search, xwininfo -tree), again when
        a window vanished under it: such a tool stops at the first BadWindow and answers
        nothing, and windows vanish all the time while a window manager tears down the frame
        of a window that has gone."""
        for _ in range(20):
            result = self._call(args)
            if b"BadWindow" not in result.stderr:
                return result.stdout.decode("utf-8", "replace")
            time.sleep(0.02)
        raise AssertionError(f"{' '.join(args)} failed: {result.stderr.decode()}")

    def _tool_env(self):
        return dict(os.environ, DISPLAY=self.env["DISPLAY"], LANG="C.UTF-8", LC_ALL="C.UTF-8")

    def windows(self, program):
        """The program's visible windows: {window id: title}."""
        if not program.running():
            return {}
        ids = self._walk([tool("xdotool"), "search", "--onlyvisible", "--pid",
                          str(program.pid)]).split()
        titles = {}
        for window in ids:
            # A window may vanish between the search and this question.
            result = self._call([tool("xdotool"), "getwindowname", window])
            if result.returncode == 0:
                titles[window] = result.stdout.decode("utf-8", "replace").rstrip("\n")
        return titles

    def visible_anywhere(self, pattern):
        """Ids of visible windows of any client whose title matches the regular expression."""
        return self._walk([tool("xdotool"), "search", "--onlyvisible", "--name",
                           pattern]).split()

    def titles(self, program):
        return sorted(self.windows(program).values())

    def wait_window(self, program, title, timeout=TIMEOUT, other_than=()):
        """Waits until the program shows a window with this exact title; returns its id."""
        return wait_until(lambda: next((window for window, shown in self.windows(program).items()
                                        if shown == title and window not in other_than), None),
                          f'window "{title}" of skyrand {program.pid}', timeout,
                          describe=lambda: self.describe(program))

    def wait_titles(self, program, titles, timeout=TIMEOUT):
        """Waits until the program's visible windows carry exactly these titles."""
        wanted = sorted(titles)
        wait_until(lambda: self.titles(program) == wanted,
                   f"skyrand {program.pid} to show exactly {wanted}", timeout,
                   describe=lambda: self.describe(program))

    def assert_stays(self, program, titles, seconds=1.0):
        """Watches for a while that the program keeps showing exactly these titles."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            shown = self.titles(program)
            if shown != sorted(titles):
                raise AssertionError(f"skyrand {program.pid} went from {sorted(titles)} to {shown}")
            time.sleep(0.05)

    def net_wm_state(self, window):
        return self._run([tool("xprop"), "-id", window, "_NET_WM_STATE"], check=False)

    def stacking(self):
        """The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING), as xdotool ids.

        These are client windows, as xdotool gives them, not the window manager's frames.
        xfwm4 leaves the property unset while the first window it manages is its only one; the
        order then comes from how the X server stacks the frames."""
        answer = self._run([tool("xprop"), "-root", "_NET_CLIENT_LIST_STACKING",
                            "_NET_CLIENT_LIST"], check=False).splitlines()
        stacking = [_window_ids(line) for line in answer
                    if line.startswith("_NET_CLIENT_LIST_STACKING")]
        if stacking and stacking[0]:
            return stacking[0]
        clients = {window for line in answer if line.startswith("_NET_CLIENT_LIST(")
                   for window in _window_ids(line)}
        return self._stacked_frames(clients) if clients else []

    def _stacked_frames(self, clients):
        """The clients in the order the X server stacks the top-level windows holding them."""
        # xwininfo lists each window's children from the top down, depth first, so the clients
        # come in the order of the frames around them.
        listed = [line.split()[0] for line in
                  self._walk([tool("xwininfo"), "-root", "-tree"]).splitlines()
                  if line.strip().startswith("0x")]
        return [str(int(word, 16)) for word in listed if str(int(word, 16)) in clients][::-1]

    def active_window(self):
        """The window the window manager calls active (_NET_ACTIVE_WINDOW), or None."""
        ids = _window_ids(self._run([tool("xprop"), "-root", "_NET_ACTIVE_WINDOW"],
                                    check=False))
        return ids[0] if ids and ids[0] != "0" else None

    def input_focus(self):
        """The window that has the X keyboard focus, which is where keys go: a client window,
        or something of the window manager's (or None) when no client has it."""
        result = self._call([tool("xdotool"), "getwindowfocus", "-f"])
        focused = result.stdout.decode().strip()
        return focused if result.returncode == 0 and focused not in ("", "0", "1") else None

    def frame_extents(self, window):
        """(left, right, top, bottom): what the window manager's frame adds around the window."""
        extents = self._run([tool("xprop"), "-id", window, "_NET_FRAME_EXTENTS"], check=False)
        if "=" not in extents:
            return (0, 0, 0, 0)
        return tuple(int(value) for value in extents.split("=")[1].split(","))

    def client_geometry(self, window):
        """(x, y, width, height) of the window itself, on the screen, without the frame; None
        once the window is gone."""
        value = {}
        for line in self._run([tool("xwininfo"), "-id", window], check=False).splitlines():
            key, _, text = line.partition(":")
            value[key.strip()] = text.strip()
        try:
            return (int(value["Absolute upper-left X"]), int(value["Absolute upper-left Y"]),
                    int(value["Width"]), int(value["Height"]))
        except (KeyError, ValueError):
            return None

    def geometry(self, window):
        """(x, y, width, height) of the window with its frame: what a user sees of it."""
        client = self.client_geometry(window)
        if client is None:
            raise AssertionError(f"window {window} is gone")
        x, y, width, height = client
        left, right, top, bottom = self.frame_extents(window)
        return (x - left, y - top, width + left + right, height + top + bottom)

    def describe(self, program):
        return f"windows: {self.windows(program)}\noutput of skyrand {program.pid}:\n" + \
            program.output()[-3000:]

    # -- input --

    def focus(self, window):
        """Activates the window through the window manager, as a click on it in a task bar
        would, and waits until the keyboard focus is really there.

        xdotool's own --sync waits, with no time limit, for _NET_ACTIVE_WINDOW only: that is
        the window the window manager calls active, but keys go where the X focus is, and the
        two can differ (xfwm4 can call a window active while the focus stays on a window of its
        own). The request is made again every second, as a window manager may drop one that
        comes while the window is still being mapped."""
        deadline = time.monotonic() + TIMEOUT
        while True:
            self._run([tool("xdotool"), "windowactivate", window], check=False)
            again = time.monotonic() + 1.0
            while time.monotonic() < again:
                if self.active_window() == window and self.input_focus() == window:
                    return
                time.sleep(0.02)
            if time.monotonic() > deadline:
                focused = self.input_focus()
                name = self._run([tool("xdotool"), "getwindowname", focused],
                                 check=False).strip() if focused else ""
                raise AssertionError(
                    f"{self.window_manager} did not give window {window} the keyboard focus: "
                    f"it calls {self.active_window()} active, and the focus is on {focused} "
                    f"({name!r})")

    def keys(self, window, *keys):
        """Gives the window the focus and presses the keys (xdotool names: Tab, alt+h)."""
        self.focus(window)
        self.keys_no_focus(*keys)

    def keys_no_focus(self, *keys):
        """Presses the keys wherever the keyboard focus is now, activating nothing: for tests
        of where the program itself puts the focus."""
        self._run([tool("xdotool"), "key", "--delay", "60"] + list(keys))

    def type(self, window, text):
        self.focus(window)
        self.type_no_focus(text)

    def can_type(self, text):
        """Whether the session's keyboard can type every character of text."""
        return True

    def type_no_focus(self, text, delay=60):
        """Types text wherever the keyboard focus is now, activating nothing."""
        self._map_keysyms(text)
        self._run([tool("xdotool"), "type", "--delay", str(delay), text])

    def click_at(self, x, y):
        """A left click at this point of the screen, as the mouse gives it."""
        self._run([tool("xdotool"), "mousemove", "--sync", str(x), str(y), "click", "1"])

    def move(self, window, x, y):
        """Asks the window manager to move the window, as a drag of its title bar would."""
        self._run([tool("xdotool"), "windowmove", window, str(x), str(y)])

    def set_clipboard(self, text):
        """Puts text on the clipboard, owned by xclip, which serves it until the display ends."""
        subprocess.run([tool("xclip"), "-selection", "clipboard", "-in"], input=text.encode(),
                       env=self._tool_env(), stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=TIMEOUT, check=True)
        # xclip serves the clipboard from a process of its own, which may not own it yet.
        wait_until(lambda: self._run([tool("xclip"), "-selection", "clipboard", "-out"],
                                     check=False) == text, "the clipboard to hold the text")

    def _map_keysyms(self, text):
        """Gives every character beyond ASCII a key of its own in the keyboard map.

        For a character missing from the map, xdotool maps a spare key just for the moment of
        the key press and maps it back at once; a program busy at that moment reads the key
        after the change is undone and gets nothing. A lasting mapping avoids that race."""
        wanted = sorted({c for c in text if ord(c) > 126})
        if not wanted:
            return
        mapped = self._run([tool("xmodmap"), "-pke"])
        spare = [line.split()[1] for line in mapped.splitlines() if line.strip().endswith("=")]
        expressions = []
        for character in wanted:
            keysym = f"U{ord(character):04X}"
            if f" {keysym} " in mapped + " " or not spare:
                continue
            expressions += ["-e", f"keycode {spare.pop()} = {keysym} {keysym}"]
        if expressions:
            self._run([tool("xmodmap")] + expressions)

    def _pixels(self, window, crop=None):
        args = [tool("import"), "-display", self.display, "-window", window]
        if crop:
            args += ["-crop", "{2}x{3}+{0}+{1}".format(*crop)]
        return subprocess.run(args + ["-depth", "8", "rgb:-"], capture_output=True,
                              check=True).stdout

    def wait_on_screen(self, window):
        """Waits until the screen shows the top of the window as the window draws it. A compositing
        window manager (mutter) paints a newly mapped window, frame and all, only some frames
        later, and ignores a click on its title bar until then."""
        last = [None]

        def shown():
            # The top right corner, under the close button: a message box over the window
            # leaves it in view. A compositor may round a colour here and there, so nine pixels
            # in ten will do; while the window fades in hardly any agree.
            x, y, width, _ = self.client_geometry(window)
            corner = (width * 3 // 4, 0, width // 4, 2)
            screen = self._pixels("root", (x + corner[0], y) + corner[2:])
            drawn = self._pixels(window, corner)
            pixels = list(zip(*[iter(zip(screen, drawn))] * 3))
            last[0] = sum(all(a == b for a, b in p) for p in pixels) / max(len(pixels), 1)
            return last[0] >= 0.9
        wait_until(shown, f"window {window} to be on the screen",
                   describe=lambda: f"{last[0]:.0%} of the pixels agree")

    def close_button(self, window):
        """Where the close button at the right end of the window manager's title bar is: its
        middle, in screen coordinates; None once the window is gone."""
        geometry = self.client_geometry(window)
        if geometry is None:
            return None
        x, y, width, _ = geometry
        _, _, top, bottom = self.frame_extents(window)
        if top <= bottom:
            raise AssertionError(f"window {window} has no title bar: frame {top} over, "
                                 f"{bottom} under it")
        # In the themes Debian gives each window manager, the title bar is the frame above the
        # window less the border the frame has all round (the bottom one); the close button is
        # the last thing in it, its middle this far left of the window's right edge: openbox's
        # 12-pixel button (theme Clearlooks) 10, xfwm4's 21-pixel one (theme Default) 10, and
        # metacity's and mutter's (both drawn by GTK as Adwaita, layout "appmenu:close") 18,
        # and KWin's (Breeze) 20.
        inset = {"openbox": 10, "xfwm4": 10, "metacity": 18, "mutter": 18,
                 "kwin": 20}[self.window_manager]
        return x + width - inset, y - top + (top + bottom) // 2

    def click_close_button(self, window):
        """Clicks the window's close button, once the user could see it."""
        self.wait_on_screen(window)
        point = self.close_button(window)
        if point is None:
            raise AssertionError(f"window {window} went before its close button was clicked")
        x, y = point
        self._run([tool("xdotool"), "mousemove", "--sync", str(x), str(y), "click", "1"])

    # -- what the program left behind --

    def opened(self):
        """The arguments the fake xdg-open was given, one per line, as bytes."""
        try:
            with open(self.opened_file, "rb") as f:
                return f.read().split(b"\n")[:-1]
        except FileNotFoundError:
            return []

    def wait_opened(self, count):
        return wait_until(lambda: len(self.opened()) >= count and self.opened(),
                          f"{count} address(es) handed to xdg-open")

    def seed_settings(self, content):
        """Leaves the settings file as an earlier run, or a fault, left it."""
        with open(self.settings_file, "wb") as f:
            f.write(content)

    def settings(self):
        with open(self.settings_file, "rb") as f:
            return f.read()

    def _tail(self, name):
        return _tail(os.path.join(self.logs, name))

    # -- tear-down --

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        if self._closed:
            return
        self._closed = True
        Session.open_sessions -= 1
        # The window manager goes with the programs, before what it may still ask for over its
        # bus; the X server goes last.
        _end([p.popen for p in self.programs] + ([self._wm] if self._wm else []))
        self._end_bus_services()
        _end([helper for helper in self._helpers[::-1] if helper is not self._wm])
        if Session.open_sessions == 0:
            _kill_descendants()  # what the program started detached, such as a hung launcher
        reports = [p.output() for p in self.programs
                   if "Sanitizer" in p.output() or "runtime error:" in p.output()]

        def writable(function, path, _):
            os.chmod(os.path.dirname(path), stat.S_IRWXU)
            function(path)
        shutil.rmtree(self.root, onerror=writable)
        if reports:
            raise AssertionError("sanitizer report:\n" + "\n".join(reports))


# The exit window's controls in tab order, from the Exit button on. The hidden message box
# after the friend's name is never reached.
EXIT, HOME_BUTTON, NAME, SUBMIT, EMAIL, FRIEND_EMAIL, FRIEND_NAME = range(7)


def moves(here, there):
    """The keys that take the focus from one control of the exit window to another."""
    return ["Tab"] * (there - here) if there >= here else ["shift+Tab"] * (here - there)


def fill(s, window, values, at=EXIT):
    """Types each (box, text) of values into its box of the exit window, going there by Tab;
    returns the box the focus is left in."""
    for box, text in values:
        if box != at:
            s.keys(window, *moves(at, box))
        s.type(window, text)
        at = box
    return at


class TestCase(unittest.TestCase):
    def setUp(self):
        # A stuck test is stopped here, so that its cleanups still end what it started.
        def expired(signum, frame):
            raise TimeoutError(f"test took longer than {TEST_BUDGET} s")
        signal.signal(signal.SIGALRM, expired)
        signal.alarm(TEST_BUDGET)
        self.addCleanup(signal.alarm, 0)

    @staticmethod
    def session_class():
        if window_manager_name() in WAYLAND_COMPOSITORS:
            import wayland  # which needs this module
            return wayland.WaylandSession
        return Session

    def session(self, **options):
        return self.session_class()(self, **options)

    # -- the ways to the windows, shared by the tests --

    def start_usable(self, s, **options):
        """Starts the program and checks that its entry window comes up with no message."""
        program = s.start(**options)
        s.wait_window(program, ENTRY_TITLE)
        self.assertEqual(s.titles(program), [ENTRY_TITLE])
        return program

    def assert_second_start_refused(self, s, first, **options):
        """A second start shows its message alone and ends at Return; the first goes on with
        the same windows."""
        before = s.windows(first)
        second = s.start(**options)
        box = s.wait_window(second, MESSAGE_TITLE)
        self.assertEqual(s.titles(second), [MESSAGE_TITLE])
        s.keys(box, "Return")
        self.assertEqual(second.wait_exit(), 0)
        self.assertEqual(s.windows(first), before)

    def reading(self, s, program, entry):
        """Types a name and asks for the reading; returns the result window."""
        s.type(entry, "Ann")
        s.keys(entry, "Tab", "Tab", "Tab", "Tab", "space")  # to the Get-sign button
        result = s.wait_window(program, ENTRY_TITLE, other_than=(entry,))
        s.wait_titles(program, [ENTRY_TITLE])  # the entry window is hidden
        return result

    def escape_to_exit(self, s, program, window):
        """Escape in the entry or result window; returns the exit window that comes."""
        s.keys(window, "Escape")
        return self.exit_window(s, program)

    def exit_window(self, s, program):
        """Waits until the exit window is the program's only window, kept above the others."""
        s.wait_titles(program, [EXIT_TITLE])
        window = s.wait_window(program, EXIT_TITLE)
        if s.shows_stacking:
            wait_until(lambda: "_NET_WM_STATE_ABOVE" in s.net_wm_state(window),
                       "the exit window to be kept above the others")
        return window


def main():
    global PROGRAM
    if len(sys.argv) < 2:
        sys.exit(f"usage: {sys.argv[0]} PATH-TO-SKYRAND [unittest arguments]")
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    # Processes the program starts detached (the browser launcher) come back to us to be reaped.
    _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1)
    unittest.main(module="__main__", verbosity=2)


class Cleanups:
    """What a session expects of a test, for scripts and the soak: somewhere to leave its
    clean-ups, which run() runs last first, every one even after one failed."""

    def __init__(self):
        self.calls = []

    def addCleanup(self, function, *args):
        self.calls.append((function, args))

    def run(self):
        """The errors the clean-ups raised."""
        errors = []
        while self.calls:
            function, args = self.calls.pop()
            try:
                function(*args)
            except Exception as error:  # noqa: BLE001 - every clean-up runs
                errors.append(error)
        return errors


def _command_line():
    """session: runs COMMAND on a private desktop of its own (an X server, a window manager
    if --wm names one, fresh home and XDG folders), with DISPLAY and those folders set, and ends
    whatever it started once COMMAND ends; exits with COMMAND's status.
    title: prints the title of the entry (result, about), exit or message windows."""
    parser = argparse.ArgumentParser(prog="harness.py")
    commands = parser.add_subparsers(dest="command", required=True)
    session = commands.add_parser("session")
    session.add_argument("--wm", default="", choices=sorted(WINDOW_MANAGERS))
    session.add_argument("--screen", default="%dx%d" % SCREEN, help="WIDTHxHEIGHT")
    session.add_argument("--dpi", type=int)
    session.add_argument("run", nargs="+", metavar="COMMAND")
    title = commands.add_parser("title")
    title.add_argument("window", choices=["entry", "exit", "message"])
    args = parser.parse_args()
    if args.command == "title":
        print({"entry": ENTRY_TITLE, "exit": EXIT_TITLE, "message": MESSAGE_TITLE}[args.window])
        return 0
    _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1)  # what COMMAND leaves running comes back to us
    screen = tuple(int(n) for n in args.screen.split("x"))
    with Session(Cleanups(), window_manager=args.wm, screen=screen, dpi=args.dpi) as s:
        return subprocess.run(args.run, env=dict(os.environ, **s.env),
                              preexec_fn=_die_with_harness).returncode


if __name__ == "__main__":
    sys.exit(_command_line())
