# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""What the soak asks of the X server directly, through libX11 (no Python binding needed):

- net_close_window: the close request a task bar or pager makes (_NET_CLOSE_WINDOW), which the
  window manager turns into WM_DELETE_WINDOW for the client;
- ManagedWatch: every window the window manager starts to manage, as it happens, with its title
  and process: a window can come and go again within one step of the soak (a run of typed
  characters), between two of its looks.
"""

import ctypes
import ctypes.util
import select
import threading
import time

_lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
_P, _W, _I, _REF = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.POINTER
for _name, _returns, _takes in [
        ("XInitThreads", _I, []), ("XOpenDisplay", _P, [ctypes.c_char_p]),
        ("XCloseDisplay", _I, [_P]), ("XInternAtom", _W, [_P, ctypes.c_char_p, _I]),
        ("XDefaultRootWindow", _W, [_P]), ("XSendEvent", _I, [_P, _W, _I, ctypes.c_long, _P]),
        ("XSync", _I, [_P, _I]), ("XSelectInput", _I, [_P, _W, ctypes.c_long]),
        ("XConnectionNumber", _I, [_P]), ("XPending", _I, [_P]), ("XNextEvent", _I, [_P, _P]),
        ("XFree", _I, [_P]),
        ("XGetWindowProperty", _I, [_P, _W, _W, ctypes.c_long, ctypes.c_long, _I, _W, _REF(_W),
                                    _REF(_I), _REF(_W), _REF(_W), _REF(_P)])]:
    getattr(_lib, _name).restype, getattr(_lib, _name).argtypes = _returns, _takes
# Two threads of the soak talk to X through libX11, each on a connection of its own.
_lib.XInitThreads()

_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


@_ERROR_HANDLER
def _ignore_errors(display, event):
    # A window that is gone before its properties are read (BadWindow): it is simply missed.
    return 0


_lib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
_lib.XSetErrorHandler(_ignore_errors)

_CLIENT_MESSAGE = 33
_PROPERTY_NOTIFY = 28
_PROPERTY_CHANGE_MASK = 1 << 22
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
_SUBSTRUCTURE_REDIRECT_MASK = 1 << 20
_HEADER = [("type", _I), ("serial", _W), ("send_event", _I), ("display", _P), ("window", _W)]


class _ClientMessage(ctypes.Structure):
    _fields_ = _HEADER + [("message_type", _W), ("format", _I), ("data", ctypes.c_long * 5)]


class _Property(ctypes.Structure):
    _fields_ = _HEADER + [("atom", _W), ("time", _W), ("state", _I)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", _ClientMessage), ("xproperty", _Property),
                ("pad", ctypes.c_long * 24)]


def _open(display):
    dpy = _lib.XOpenDisplay(display.encode())
    if not dpy:
        raise RuntimeError(f"cannot open display {display}")
    return dpy


def net_close_window(display, window):
    """Asks the window manager to close the window, as a task bar does."""
    dpy = _open(display)
    try:
        # data: CurrentTime, and 2 for a direct user action (a pager, a task bar)
        event = _Event(xclient=_ClientMessage(
            type=_CLIENT_MESSAGE, send_event=1, display=dpy, window=int(window), format=32,
            message_type=_lib.XInternAtom(dpy, b"_NET_CLOSE_WINDOW", 0), data=(0, 2, 0, 0, 0)))
        _lib.XSendEvent(dpy, _lib.XDefaultRootWindow(dpy), 0,
                        _SUBSTRUCTURE_NOTIFY_MASK | _SUBSTRUCTURE_REDIRECT_MASK,
                        ctypes.byref(event))
        _lib.XSync(dpy, 0)
    finally:
        _lib.XCloseDisplay(dpy)


def _property(dpy, window, atom):
    """(format, raw bytes) of a window property, or None."""
    actual_type, actual_format, items, after, data = _W(), _I(), _W(), _W(), _P()
    status = _lib.XGetWindowProperty(dpy, window, atom, 0, 65536, 0, 0, *map(
        ctypes.byref, (actual_type, actual_format, items, after, data)))
    if status != 0 or not data.value:
        return None
    try:
        if actual_format.value == 32:  # longs in memory, whatever their size on the wire
            values = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))
            return 32, [values[i] for i in range(items.value)]
        size = items.value * actual_format.value // 8
        return actual_format.value, ctypes.string_at(data, size)
    finally:
        _lib.XFree(data)


class ManagedWatch:
    """Records every window the window manager starts to manage (_NET_CLIENT_LIST), with its
    process id and title, from a thread of its own."""

    def __init__(self, display):
        self.seen = []  # (monotonic time, window id, pid, title)
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self._dpy = _open(display)
        self._client_list, self._pid, self._name, self._wm_name = (
            _lib.XInternAtom(self._dpy, name, 0)
            for name in (b"_NET_CLIENT_LIST", b"_NET_WM_PID", b"_NET_WM_NAME", b"WM_NAME"))
        self._root = _lib.XDefaultRootWindow(self._dpy)
        self._known = set()
        _lib.XSelectInput(self._dpy, self._root, _PROPERTY_CHANGE_MASK)
        _lib.XSync(self._dpy, 0)
        self._look()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _look(self):
        found = _property(self._dpy, self._root, self._client_list)
        if not found or found[0] != 32:
            return
        for window in found[1]:
            if window in self._known:
                continue
            self._known.add(window)
            pid = _property(self._dpy, window, self._pid)
            title = _property(self._dpy, window, self._name) or \
                _property(self._dpy, window, self._wm_name)
            with self._lock:
                self.seen.append((time.monotonic(), str(window),
                                  pid[1][0] if pid and pid[0] == 32 and pid[1] else None,
                                  title[1].decode("utf-8", "replace")
                                  if title and title[0] == 8 else None))

    def _run(self):
        fd = _lib.XConnectionNumber(self._dpy)
        event = _Event()
        while not self._stop.is_set():
            if not _lib.XPending(self._dpy):
                select.select([fd], [], [], 0.2)
                continue
            _lib.XNextEvent(self._dpy, ctypes.byref(event))
            if event.type == _PROPERTY_NOTIFY and event.xproperty.atom == self._client_list:
                self._look()

    def titles(self, pid):
        """The titles of the windows of this process managed so far, in order."""
        with self._lock:
            return [title for _, _, owner, title in self.seen if owner == pid]

    def close(self):
        self._stop.set()
        self._thread.join(5)
        _lib.XCloseDisplay(self._dpy)
