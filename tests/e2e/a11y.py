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


class Accessibility:
    """AT-SPI for one harness session: its private bus and a client on it.

    Made before the program starts, since Qt looks for the accessibility bus once, at start-up.
    The accessibles come back as dictionaries (node() in serve below: role, name, description,
    actions, states, extents on the screen, window title), each valid as long as the accessible
    it stands for."""

    def __init__(self, test, session):
        self.session = session
        root = os.path.join(session.root, "a11y")
        os.mkdir(root, 0o700)
        runtime = os.path.join(root, "runtime")
        os.mkdir(runtime, 0o700)
        # The bus and what it starts (the launcher, the accessibility bus, the registry) keep
        # their sockets and files out of the program's folders, which the tests inspect.
        env = {"DISPLAY": session.display, "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
               "HOME": root, "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8",
               "LC_ALL": "C.UTF-8", "GSETTINGS_BACKEND": "memory"}
        self.processes = []
        self.address = self._start_bus(root, env)
        env["DBUS_SESSION_BUS_ADDRESS"] = self.address
        self.env = env  # for other clients of the bus
        session.env["DBUS_SESSION_BUS_ADDRESS"] = self.address
        # Qt bridges to AT-SPI only when the desktop says an assistive technology is running;
        # this says so for good.
        session.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        with open(os.path.join(session.logs, "a11y-client.log"), "wb") as log:
            self._client = subprocess.Popen(
                [_client_python(), os.path.abspath(__file__), "serve"], env=env,
                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=log)
        self.processes.append(self._client)

        def stop():
            # After the session: the program must not lose its bus while it still runs.
            try:
                session.close()
            finally:
                self._client.stdin.close()
                self._client.stdout.close()
                for process in self.processes[::-1]:
                    if process.poll() is None:
                        process.kill()
                    process.wait()
        test.addCleanup(stop)

    def _start_bus(self, root, env):
        bus, address = harness.start_session_bus(
            root, env, os.path.join(self.session.logs, "a11y-bus.log"))
        self.processes.append(bus)
        return address

    def _ask(self, request):
        self._client.stdin.write((json.dumps(request) + "\n").encode())
        self._client.stdin.flush()
        ready, _, _ = select.select([self._client.stdout], [], [], REPLY_TIMEOUT)
        if not ready:
            raise AssertionError(f"no answer over AT-SPI within {REPLY_TIMEOUT:.0f} s to "
                                 f"{request}")
        line = self._client.stdout.readline()
        if not line:
            raise AssertionError("the AT-SPI client ended: " + self._client_log())
        reply = json.loads(line)
        if "error" in reply:
            raise AssertionError(f"AT-SPI: {reply['error']} (asked {request})")
        return reply["ok"]

    def _client_log(self):
        try:
            with open(os.path.join(self.session.logs, "a11y-client.log"), "rb") as f:
                return f.read()[-2000:].decode("utf-8", "replace")
        except OSError:
            return ""

    # -- questions --

    def find(self, program, window=None, role=None, name=None, showing=True):
        """The program's accessibles that match: in a window of this title, of this role, whose
        name starts with name, and (by default) on screen."""
        return self._ask({"op": "find", "pid": program.pid, "window": window, "role": role,
                          "name": name, "showing": showing})

    def wait(self, program, what, timeout=None, **criteria):
        """The first accessible that matches, once there is one."""
        return harness.wait_until(
            lambda: (self.find(program, **criteria) or [None])[0], what,
            **({"timeout": timeout} if timeout else {}),
            describe=lambda: self.describe(program, criteria.get("window")))

    def at_point(self, node, x, y):
        """The accessible inside node that an assistive technology finds at this screen point:
        the one in front, where controls overlap."""
        return self._ask({"op": "at_point", "id": node["id"], "x": x, "y": y})

    def text(self, node):
        return self._ask({"op": "text", "id": node["id"]})

    def act(self, node, action):
        """Invokes the action of this name (AT-SPI's doAction), as an assistive technology
        does for its user."""
        if action not in node["actions"]:
            raise AssertionError(f"{node['role']} {node['name']!r} offers no {action!r} action, "
                                 f"only {node['actions']}")
        return self._ask({"op": "act", "id": node["id"], "action": action})

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

    def node(accessible, window):
        try:
            action = accessible.queryAction()
            actions = [action.getName(i) for i in range(action.nActions)]
        except NotImplementedError:
            actions = []
        try:
            box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            extents = [box.x, box.y, box.width, box.height]
        except NotImplementedError:
            extents = None
        states = sorted(pyatspi.stateToString(s) for s in accessible.getState().getStates())
        key = len(accessibles) + 1
        accessibles[key] = accessible
        return {"id": key, "role": accessible.getRoleName(), "name": accessible.name or "",
                "description": accessible.description or "", "actions": actions,
                "states": states, "extents": extents, "window": window}

    def application(pid):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def walk(accessible):
        yield accessible
        if accessible.getRoleName() in SKIPPED_ROLES:
            return
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is not None:
                yield from walk(child)

    def find(request):
        app = application(request["pid"])
        if app is None:
            return []
        found = []
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None:
                continue
            if request["window"] is not None and window.name != request["window"]:
                continue
            for accessible in walk(window):
                try:
                    if request["role"] and accessible.getRoleName() != request["role"]:
                        continue
                    if request["name"] and not (accessible.name or "").startswith(
                            request["name"]):
                        continue
                    if request["showing"] and not accessible.getState().contains(
                            pyatspi.STATE_SHOWING):
                        continue
                    found.append(node(accessible, window.name))
                except Exception:  # gone while we looked: as good as not there
                    continue
        return found

    def at_point(request):
        container = accessibles[request["id"]]
        inside = container.queryComponent().getAccessibleAtPoint(
            request["x"], request["y"], pyatspi.DESKTOP_COORDS)
        return node(inside, None) if inside is not None else None

    def text(request):
        return accessibles[request["id"]].queryText().getText(0, -1)

    def act(request):
        action = accessibles[request["id"]].queryAction()
        for i in range(action.nActions):
            if action.getName(i) == request["action"]:
                return bool(action.doAction(i))
        raise LookupError(f"no action {request['action']!r}")

    operations = {"find": find, "at_point": at_point, "text": text, "act": act}
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
