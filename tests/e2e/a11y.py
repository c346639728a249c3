# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""The program as an assistive technology (a screen reader, a switch device) sees it, over AT-SPI.

Accessibility on a Linux desktop runs over D-Bus: a program asks the session bus where the
accessibility bus is (at-spi-bus-launcher answers, started on demand), registers its accessibles
there, and assistive technologies find them there. The harness runs the program without any
session bus, so that nothing starts one on its behalf; an Accessibility gives one session a
private bus and switches Qt's accessibility bridge on for the programs started after it.

The client, pyatspi (Debian's python3-pyatspi), runs in a process of its own under the system's
Python, where Debian installs it, whichever Python runs the tests. This file is that process's
program too: "python3 a11y.py serve" answers one JSON request per line on standard input.
"""

import functools
import importlib.util
import json
import os
import select
import subprocess
import sys

import harness

# Roles whose insides no test looks at, and which would cost hundreds of D-Bus calls each: the
# lists of days and years, and the menus.
SKIPPED_ROLES = ("combo box", "list", "menu bar", "popup menu")
# What a snapshot (the soak's one question after every step) looks inside, and what it reports:
# the controls a user clicks at or reads.
SNAPSHOT_CONTAINERS = ("dialog", "frame", "filler", "panel", "window", "alert", "scroll pane",
                       "viewport", "menu bar", "tool bar", "page tab list", "page tab", "unknown")
SNAPSHOT_CONTROLS = ("push button", "toggle button", "check box", "radio button", "link", "text",
                     "password text", "entry", "combo box", "menu", "menu item", "label",
                     "spin button")

# Role names that AT-SPI changed (2.56 calls a push button "button"), each as the tests name it:
# the name of the role as AT-SPI 2.46 gave it.
RENAMED_ROLES = {"button": "push button"}

REPLY_TIMEOUT = 30.0  # a call into the program that blocks (a modal loop) must not hang the test


# --- the test's side --------------------------------------------------------------------------


@functools.lru_cache(maxsize=None)
def _client_python():
    """A Python that can import pyatspi: this one, or the system's."""
    if importlib.util.find_spec("pyatspi") and importlib.util.find_spec("gi"):
        return sys.executable
    for candidate in ("/usr/bin/python3", "/bin/python3"):
        if os.path.exists(candidate) and subprocess.run(
                [candidate, "-c", "import pyatspi"], capture_output=True).returncode == 0:
            return candidate
    raise AssertionError("pyatspi is not installed (Debian package python3-pyatspi)")


class NoAnswer(AssertionError):
    """The client gave no answer in time: the program blocks its AT-SPI calls."""


class Client:
    """The client process (serve below, or another program's) on a bus: one JSON request a line
    in, one answer a line out."""

    def __init__(self, env, log, program=__file__):
        self.log = log
        with open(log, "wb") as errors:
            self.process = subprocess.Popen(
                [_client_python(), os.path.abspath(program), "serve"], env=env,
                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=errors)

    def ask(self, request, timeout=REPLY_TIMEOUT):
        self.process.stdin.write((json.dumps(request) + "\n").encode())
        self.process.stdin.flush()
        ready, _, _ = select.select([self.process.stdout], [], [], timeout)
        if not ready:
            raise NoAnswer(f"no answer over AT-SPI within {timeout:.0f} s to {request}")
        line = self.process.stdout.readline()
        if not line:
            raise AssertionError("the AT-SPI client ended: " + harness._tail(self.log))
        reply = json.loads(line)
        if "error" in reply:
            raise AssertionError(f"AT-SPI: {reply['error']} (asked {request})")
        return reply["ok"]

    def close(self):
        self.process.stdin.close()
        self.process.stdout.close()
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


class Accessibility:
    """AT-SPI for one harness session: its private bus and a client on it.

    Made before the program starts, since Qt looks for the accessibility bus once, at start-up.
    The accessibles come back as dictionaries (node() in serve below: role, name, description,
    actions, states, extents on the screen, window title), each valid as long as the accessible
    it stands for."""

    def __init__(self, test, session):
        self.session = session
        self.processes = []
        if session.desktop_bus:
            # A Wayland session has its bus already, the one the compositor is on.
            self.env = dict(session.desktop_bus)
        else:
            root = os.path.join(session.root, "a11y")
            os.mkdir(root, 0o700)
            runtime = os.path.join(root, "runtime")
            os.mkdir(runtime, 0o700)
            # The bus and what it starts (the launcher, the accessibility bus, the registry)
            # keep their sockets and files out of the program's folders, which the tests
            # inspect.
            self.env = {"DISPLAY": session.display,
                        "PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": root,
                        "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
                        "GSETTINGS_BACKEND": "memory"}
            bus, address = harness.start_session_bus(
                root, self.env, os.path.join(session.logs, "a11y-bus.log"))
            self.processes.append(bus)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = address
            session.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.address = self.env["DBUS_SESSION_BUS_ADDRESS"]
        # Qt bridges to AT-SPI only when the desktop says an assistive technology is running;
        # this says so for good.
        session.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.client = session.atspi_client
        if not self.client:
            self.client = Client(self.env, os.path.join(session.logs, "a11y-client.log"))
            self.processes.append(self.client.process)

        def stop():
            # After the session: the program must not lose its bus while it still runs.
            try:
                session.close()
            finally:
                self.client.close()
                for process in self.processes[::-1]:
                    if process.poll() is None:
                        process.kill()
                    process.wait()
        test.addCleanup(stop)

    # -- questions --

    def find(self, program, window=None, role=None, name=None, showing=True):
        """The program's accessibles that match: in a window of this title, of this role, whose
        name starts with name, and (by default) on screen."""
        return self.client.ask({"op": "find", "pid": program.pid, "window": window, "role": role,
                                "name": name, "showing": showing})

    def wait(self, program, what, timeout=None, **criteria):
        """The first accessible that matches, once there is one."""
        return harness.wait_until(
            lambda: (self.find(program, **criteria) or [None])[0], what,
            **({"timeout": timeout} if timeout else {}),
            describe=lambda: self.describe(program, criteria.get("window")))

    def text(self, node):
        return self.client.ask({"op": "text", "id": node["id"]})

    def act(self, node, action):
        """Invokes the action of this name (AT-SPI's doAction), as an assistive technology
        does for its user."""
        if action not in node["actions"]:
            raise AssertionError(f"{node['role']} {node['name']!r} offers no {action!r} action, "
                                 f"only {node['actions']}")
        return self.client.ask({"op": "act", "id": node["id"], "action": action})

    def describe(self, program, window=None):
        """The program's accessibles in short, for failure messages."""
        try:
            nodes = self.find(program, window=window, showing=False)
        except AssertionError as error:
            return str(error)
        return "accessibles:\n" + "\n".join(
            f"  {n['window']!r}: {n['role']} {n['name'][:50]!r} actions={n['actions']} "
            f"description={n['description']!r}" for n in nodes)


def centre(node):
    x, y, width, height = node["extents"]
    return x + width // 2, y + height // 2


# --- the client's side: python3 a11y.py serve ---------------------------------------------------


def serve():
    import pyatspi
    from gi.repository import Atspi

    desktop = pyatspi.Registry.getDesktop(0)
    # Ask the program every time: windows come and go, and a cached tree would lag behind.
    desktop.set_cache_mask(Atspi.Cache.NONE)
    accessibles = {}
    applications = {}

    def role(accessible):
        name = accessible.getRoleName()
        return RENAMED_ROLES.get(name, name)

    def extents(accessible):
        try:
            box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return [box.x, box.y, box.width, box.height]
        except Exception:  # not a component, or gone
            return None

    def states(accessible):
        return sorted(pyatspi.stateToString(s) for s in accessible.getState().getStates())

    def node(accessible, window):
        try:
            action = accessible.queryAction()
            actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            actions = []
        key = len(accessibles) + 1
        accessibles[key] = accessible
        return {"id": key, "role": role(accessible), "name": accessible.name or "",
                "description": accessible.description or "", "actions": actions,
                "states": states(accessible), "extents": extents(accessible), "window": window}

    def application(pid):
        app = applications.get(pid)
        if app is not None:
            try:
                app.childCount  # still there
                return app
            except Exception:
                applications.pop(pid, None)
        for i in range(desktop.childCount):
            candidate = desktop.getChildAtIndex(i)
            try:
                if candidate is not None and candidate.get_process_id() == pid:
                    applications[pid] = candidate
                    return candidate
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def windows(request):
        app = application(request["pid"])
        return [] if app is None else [w for w in map(app.getChildAtIndex, range(app.childCount))
                                       if w is not None]

    def walk(accessible):
        yield accessible
        if role(accessible) in SKIPPED_ROLES:
            return
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is not None:
                yield from walk(child)

    def find(request):
        found = []
        for window in windows(request):
            if request["window"] is not None and window.name != request["window"]:
                continue
            for accessible in walk(window):
                try:
                    if (not request["role"] or role(accessible) == request["role"]) and \
                            (accessible.name or "").startswith(request["name"] or "") and \
                            (not request["showing"] or
                             accessible.getState().contains(pyatspi.STATE_SHOWING)):
                        found.append(node(accessible, window.name))
                except Exception:  # gone while we looked: as good as not there
                    continue
        return found

    def text(request):
        return accessibles[request["id"]].queryText().getText(0, -1)

    def act(request):
        action = accessibles[request["id"]].queryAction()
        for i in range(action.nActions):
            if action.getName(i) == request["action"]:
                return bool(action.doAction(i))
        raise LookupError(f"no action {request['action']!r}")

    def shown_text(control):
        """What a text box holds, or the item a list shows: the one selected among its items,
        or, where AT-SPI offers no selection (Qt 6.4), the list's text; None if neither says."""
        try:
            if role(control) == "combo box":
                try:
                    chosen = control.getChildAtIndex(0).querySelection().getSelectedChild(0)
                    return chosen.name if chosen is not None else None
                except NotImplementedError:
                    pass
            return control.queryText().getText(0, -1)
        except Exception:
            return None

    def controls(accessible, depth=0):
        """The controls below the accessible, looking inside SNAPSHOT_CONTAINERS only."""
        for child in map(accessible.getChildAtIndex, range(accessible.childCount)):
            kind = role(child) if child is not None else None
            if kind in SNAPSHOT_CONTROLS:
                control = {"role": kind, "name": child.name or "", "states": states(child),
                           "extents": extents(child)}
                if kind in ("text", "password text", "entry", "combo box"):
                    control["text"] = shown_text(child)
                yield control
            if kind in SNAPSHOT_CONTAINERS and depth < 12:
                yield from controls(child, depth + 1)

    def snapshot(request):
        """The program's windows on screen, each with the controls in it; None when the
        program is not on the bus (yet, or any more)."""
        if application(request["pid"]) is None:
            return None
        shown = []
        for window in windows(request):
            try:
                window_states = states(window)
                if "showing" in window_states:
                    shown.append({"name": window.name or "", "role": role(window),
                                  "states": window_states, "extents": extents(window),
                                  "nodes": list(controls(window))})
            except Exception:  # gone while we looked: as good as not there
                continue
        return shown

    def shown(request):
        """Every application's windows on screen: their process, id, title and states."""
        found = []
        for app in map(desktop.getChildAtIndex, range(desktop.childCount)):
            try:
                pid = app.get_process_id()
                for window in map(app.getChildAtIndex, range(app.childCount)):
                    window_states = states(window)
                    if "showing" in window_states:
                        found.append({"pid": pid, "id": f"{pid}{window.path}",
                                      "name": window.name or "", "role": role(window),
                                      "states": window_states, "extents": extents(window)})
            except Exception:  # gone while we looked: as good as not there
                continue
        return found

    def ping(request):
        app = application(request["pid"])
        return None if app is None else app.childCount

    answer({"find": find, "text": text, "act": act, "snapshot": snapshot, "ping": ping,
            "shown": shown})


def answer(operations):
    """A client's side of Client: answers each request on standard input with what the
    operation it names returns, or with the error it raised."""
    for line in sys.stdin:
        request = json.loads(line)
        try:
            reply = {"ok": operations[request["op"]](request)}
        except Exception as error:  # reported to the test, which fails with it
            reply = {"error": f"{type(error).__name__}: {error}"}
        sys.stdout.write(json.dumps(reply) + "\n")
        sys.stdout.flush()


if __name__ == "__main__" and sys.argv[1:] == ["serve"]:
    serve()
