#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Start-up time and peak memory of skyrand against two floors, under a private Xvfb: a bare Qt
window, and a minimal Qt form with the program's kinds of controls (a menu bar, a wrapped label,
a text box, a list and a button), which pays for fontconfig and the font engine as skyrand does.

Each run starts with fresh HOME, XDG folders and runtime folder, so every skyrand run is a first
start that asks nothing. The time is from just before the program is started until the X server
reports its first window mapped and viewable (events, not polling: the MapNotify arrives as the
server maps it). The memory is the peak resident set of the whole run, which ends normally:
the window manager's close request (WM_DELETE_WINDOW) goes to the window, and for skyrand then to
the exit window it shows. The three programs take turns within each round, in an order that
rotates from round to round, so that none always follows the same one.

usage: startup.py SKYRAND BARE_WINDOW MINIMAL_FORM [RUNS]
"""
import os
import select
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402

TIMEOUT = 30.0
# What skyrand may cost beyond the minimal form, in time to the first window and in peak memory.
ALLOWANCE = 1.05


class Screen:
    def __init__(self, name):
        self.name = name
        self.x = display.Display(name)
        self.root = self.x.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.delete_window = self.x.intern_atom("WM_DELETE_WINDOW")
        self.protocols = self.x.intern_atom("WM_PROTOCOLS")
        self.x.sync()

    def drain(self):
        while self.x.pending_events():
            self.x.next_event()

    def next_viewable_window(self, deadline):
        """The next top-level window that is mapped and viewable."""
        while True:
            while not self.x.pending_events():
                left = deadline - time.perf_counter()
                if left <= 0:
                    raise TimeoutError("no window appeared")
                select.select([self.x.fileno()], [], [], left)
                self.x.pending_events()  # reads what arrived
            event = self.x.next_event()
            if event.type == X.MapNotify and not event.override:
                if event.window.get_attributes().map_state == X.IsViewable:
                    return event.window

    def close(self, window):
        message = protocol.event.ClientMessage(
            window=window, client_type=self.protocols,
            data=(32, [self.delete_window, X.CurrentTime, 0, 0, 0]))
        window.send_event(message)
        self.x.flush()


def environment(display_name, home):
    folders = {"XDG_CONFIG_HOME": "config", "XDG_CACHE_HOME": "cache", "XDG_DATA_HOME": "data",
               "XDG_STATE_HOME": "state", "XDG_RUNTIME_DIR": "runtime"}
    env = {"HOME": home, "DISPLAY": display_name, "PATH": "/usr/bin:/bin", "LANG": "C.UTF-8",
           "QT_QPA_PLATFORM": "xcb"}
    for variable, folder in folders.items():
        path = os.path.join(home, folder)
        os.mkdir(path, 0o700)
        env[variable] = path
    return env


def run(screen, program, closes):
    """One run: milliseconds to the first window, peak resident MiB."""
    with tempfile.TemporaryDirectory() as home:
        env = environment(screen.name, home)
        screen.drain()
        started = time.perf_counter()
        process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            window = screen.next_viewable_window(started + TIMEOUT)
            shown = time.perf_counter()
            for _ in range(closes):
                screen.close(window)
                if _ + 1 < closes:
                    window = screen.next_viewable_window(time.perf_counter() + TIMEOUT)
            _, status, usage = os.wait4(process.pid, 0)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
        if status != 0:
            raise RuntimeError(f"{program} ended with status {status}")
        return (shown - started) * 1000, usage.ru_maxrss / 1024


def summary(name, values, unit):
    return (f"{name}: median {statistics.median(values):.1f} {unit}, "
            f"min {min(values):.1f}, max {max(values):.1f}")


def ratios(times, memory, floor):
    """Prints skyrand's ratios to one floor; returns the time ratio within rounds and the memory
    ratio."""
    # The machine's speed drifts between rounds; a ratio taken within each round does not.
    paired = [a / b for a, b in zip(times["skyrand"], times[floor])]
    within = statistics.median(paired)
    time_ratio = statistics.median(times["skyrand"]) / statistics.median(times[floor])
    memory_ratio = statistics.median(memory["skyrand"]) / statistics.median(memory[floor])
    print(f"time ratio skyrand / {floor} within each round: median {within:.2f}, "
          f"min {min(paired):.2f}, max {max(paired):.2f}")
    print(f"ratio time skyrand / {floor}: {time_ratio:.2f}")
    print(f"ratio memory skyrand / {floor}: {memory_ratio:.2f}")
    return within, memory_ratio


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    skyrand, bare, form = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    # A bare X server, no window manager: the first MapNotify is the server mapping the window.
    server, display_name = harness.start_xvfb(os.devnull)
    try:
        screen = Screen(display_name)
        # skyrand ends through its exit window: close the entry window, then the exit window.
        programs = {"skyrand": (skyrand, 2), "bare window": (bare, 1), "minimal form": (form, 1)}
        names = list(programs)
        for program, closes in programs.values():  # warm-up: caches, fonts, page cache
            run(screen, program, closes)
        times = {name: [] for name in programs}
        memory = {name: [] for name in programs}
        for round_number in range(runs):
            turn = round_number % len(names)
            for name in names[turn:] + names[:turn]:
                program, closes = programs[name]
                milliseconds, mebibytes = run(screen, program, closes)
                times[name].append(milliseconds)
                memory[name].append(mebibytes)
        print(f"{runs} runs each, alternating, after one warm-up run each")
        for name in programs:
            print(summary(f"{name} time to first window", times[name], "ms"))
            print(summary(f"{name} peak resident memory", memory[name], "MiB"))
        ratios(times, memory, "bare window")
        within, memory_ratio = ratios(times, memory, "minimal form")
        # Time is judged by the ratio within rounds, which the drift between rounds leaves alone.
        for what, ratio in (("time to first window (within rounds)", within),
                            ("peak memory", memory_ratio)):
            verdict = "within" if ratio <= ALLOWANCE else "ABOVE"
            # Three decimals, so that a ratio just above the allowance does not print as equal to it.
            print(f"skyrand {what}: {ratio:.3f} x the minimal form, "
                  f"{verdict} the allowed {ALLOWANCE:.2f}")
    finally:
        server.terminate()
        server.wait()


if __name__ == "__main__":
    main()
