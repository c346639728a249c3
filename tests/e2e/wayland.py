# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""A harness session on Wayland: the program as a native Wayland client of GNOME's compositor.

mutter runs headless on a virtual monitor, with a private session bus and folders of its own,
and places, focuses and stacks the program's windows as on a GNOME desktop. There is no X
server: what the program shows is read over AT-SPI (the windows on screen, their titles, which
one is active, which is where the keyboard goes), and input comes from mutter's remote-desktop
interface (org.gnome.Mutter.RemoteDesktop), the way a remote desktop types into a GNOME
session: keys go wherever the compositor sends them. Nothing here activates a window: a
Wayland client cannot, and neither can the test.

What Wayland keeps inside the compositor cannot be seen from here: the stacking order, and a
window's place on the screen, so no click can be aimed at a window (aims_clicks): the tests close
a window there by the compositor's own binding, Alt+F4, and press buttons by key or over AT-SPI.

This file is also the input client's program: "python3 wayland.py serve" answers one JSON
request per line, run under a Python that has PyGObject (a11y.Client).
"""

import os
import re
import sys
import time

import a11y
import harness
from harness import tool, wait_until


class WaylandSession(harness.Session):
    shows_stacking = False
    aims_clicks = False

    def _start_desktop(self, folder, screen, dpi):
        if self.window_manager != "mutter-wayland":
            raise AssertionError(f"unknown Wayland compositor {self.window_manager!r}")
        root = folder("compositor", 0o700)
        runtime = os.path.join(root, "runtime")
        os.mkdir(runtime, 0o700)
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": root,
               "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
               "GSETTINGS_BACKEND": "memory", "NO_AT_BRIDGE": "1",
               # mutter zooms a window in as it maps it, and a click meanwhile lands where the
               # window is not yet drawn to scale.
               "MUTTER_DEBUG_DISABLE_ANIMATIONS": "1"}
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = harness.start_session_bus(
            root, env, os.path.join(self.logs, "bus.log"))
        self._helpers.append(bus)
        socket = "wayland-skyrand"
        self._wm = self._start_helper(
            [tool("mutter"), "--headless", "--wayland", "--no-x11", "--virtual-monitor",
             "%dx%d" % screen, "--wayland-display", socket], "wm.log", env, root)
        self.display = os.path.join(runtime, socket)
        # Everything else on the bus (the accessibility bus it starts, Orca) sees what a program
        # of this session sees.
        self.desktop_bus = dict(env, WAYLAND_DISPLAY=self.display)
        # As on a GNOME desktop: the session says it is Wayland, and Qt chooses its platform.
        del self.env["QT_QPA_PLATFORM"]
        self.env.update(WAYLAND_DISPLAY=self.display, XDG_SESSION_TYPE="wayland",
                        DBUS_SESSION_BUS_ADDRESS=env["DBUS_SESSION_BUS_ADDRESS"],
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self._input = a11y.Client(self.desktop_bus, os.path.join(self.logs, "input-client.log"),
                                  __file__)
        self._input.ask({"op": "start", "timeout": harness.TIMEOUT}, harness.TIMEOUT + 5)
        self.atspi_client = a11y.Client(self.desktop_bus,
                                        os.path.join(self.logs, "a11y-client.log"))

    def close(self):
        try:
            if not self._closed:
                harness._end([program.popen for program in self.programs])
                # mutter takes five seconds or more to end at SIGTERM, and keeps nothing.
                if self._wm.poll() is None:
                    self._wm.kill()
                    self._wm.wait()
            super().close()
        finally:
            for client in (self._input, self.atspi_client):
                client.close()

    # -- windows, as AT-SPI shows them --

    def _shown(self):
        return self.atspi_client.ask({"op": "shown"})

    def windows(self, program):
        if not program.running():
            return {}
        return {w["id"]: w["name"] for w in self._shown() if w["pid"] == program.pid}

    def visible_anywhere(self, pattern):
        return [w["id"] for w in self._shown() if re.search(pattern, w["name"])]

    def active_window(self):
        """The window the compositor gave the keyboard to: Qt calls it active."""
        return next((w["id"] for w in self._shown() if "active" in w["states"]), None)

    input_focus = active_window

    def stacking(self):
        raise AssertionError("a Wayland compositor shows no one the stacking order")

    def describe(self, program):
        return (f"windows on screen: {[(w['id'], w['name'], w['states']) for w in self._shown()]}"
                f"\noutput of skyrand {program.pid}:\n" + program.output()[-3000:])

    # -- input, through the compositor --

    def focus(self, window):
        """Waits until the compositor has given the window the keyboard: on Wayland no one but
        the compositor can."""
        wait_until(lambda: self.input_focus() == window,
                   f"mutter to give window {window} the keyboard",
                   describe=lambda: f"windows on screen: {self._shown()}")

    def keys_no_focus(self, *keys):
        self._input.ask({"op": "keys", "keys": list(keys), "delay": 0.06})

    def can_type(self, text):
        # mutter takes its keyboard layout from GNOME Shell, which is not here: it keeps the
        # US layout, and a remote desktop types what that layout has keys for.
        return text.isascii()

    def type_no_focus(self, text, delay=60):
        if not self.can_type(text):
            raise AssertionError(f"{text!r}: mutter without GNOME Shell has the US keyboard "
                                 "layout only")
        self._input.ask({"op": "type", "text": text, "delay": delay / 1000})

    def click_at(self, x, y):
        raise AssertionError("no click can be aimed on Wayland: nothing reports where a window is")

    def click_close_button(self, window):
        self.click_at(0, 0)


# --- the input client's side: python3 wayland.py serve -------------------------------------------


def serve():
    import ctypes
    from gi.repository import Gio, GLib

    xkb = ctypes.CDLL("libxkbcommon.so.0")
    xkb.xkb_keysym_from_name.restype = ctypes.c_uint32
    xkb.xkb_keysym_from_name.argtypes = [ctypes.c_char_p, ctypes.c_int]
    xkb.xkb_utf32_to_keysym.restype = ctypes.c_uint32
    xkb.xkb_utf32_to_keysym.argtypes = [ctypes.c_uint32]
    modifiers = {"alt": "Alt_L", "shift": "Shift_L", "ctrl": "Control_L", "super": "Super_L"}
    service = "org.gnome.Mutter.RemoteDesktop"
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    session = [None]

    def call(method, signature=None, *args, path=None, interface=service + ".Session"):
        return bus.call_sync(service, path or session[0], interface, method,
                             GLib.Variant(signature, args) if signature else None, None,
                             Gio.DBusCallFlags.NONE, -1, None).unpack()

    def keysym(name):
        found = xkb.xkb_keysym_from_name(modifiers.get(name, name).encode(), 0)
        if not found:
            raise LookupError(f"no key {name!r}")
        return found

    def key(symbol, pressed):
        call("NotifyKeyboardKeysym", "(ub)", symbol, pressed)

    def start(request):
        # The remote-desktop session lives as long as this client: mutter ends it, and takes
        # its keyboard and pointer off the seat, when its caller leaves the bus.
        deadline = time.monotonic() + request["timeout"]
        while True:
            try:
                session[0] = call("CreateSession", path="/org/gnome/Mutter/RemoteDesktop",
                                  interface=service)[0]
                break
            except GLib.Error:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        call("Start")
        # The seat gets its keyboard with the first key: that first one is a modifier, which
        # types nothing wherever the keyboard is.
        key(keysym("shift"), True)
        key(keysym("shift"), False)

    def keys(request):
        for combination in request["keys"]:
            symbols = [keysym(name) for name in combination.split("+")]
            for symbol in symbols:
                key(symbol, True)
            for symbol in reversed(symbols):
                key(symbol, False)
            time.sleep(request["delay"])

    def type_text(request):
        for character in request["text"]:
            symbol = xkb.xkb_utf32_to_keysym(ord(character))
            key(symbol, True)
            key(symbol, False)
            time.sleep(request["delay"])

    a11y.answer({"start": start, "keys": keys, "type": type_text})


if __name__ == "__main__" and sys.argv[1:] == ["serve"]:
    serve()
