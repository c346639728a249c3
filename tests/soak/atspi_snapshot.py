# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""What the soak asks the program over AT-SPI, in one answer per question: its windows, and in
each the controls a user works with (their role, name, place on the screen, whether they have
the keyboard, and the text of text boxes).

Runs as a process of its own under a Python that has pyatspi (python3 atspi_snapshot.py serve),
on the accessibility bus of a11y.Accessibility, and answers one JSON request per line.
"""

import json
import sys

# Containers whose children are looked at; everything else is a leaf for the soak.
CONTAINERS = ("dialog", "frame", "filler", "panel", "window", "alert", "scroll pane",
              "viewport", "menu bar", "tool bar", "page tab list", "page tab", "unknown")
# Controls the soak clicks at, or reads.
CONTROLS = ("push button", "toggle button", "check box", "radio button", "link", "text",
            "password text", "entry", "combo box", "menu", "menu item", "label", "spin button")


def serve():
    import pyatspi
    from gi.repository import Atspi

    desktop = pyatspi.Registry.getDesktop(0)
    # Every answer comes from the program as it is now: windows come and go all the time.
    desktop.set_cache_mask(Atspi.Cache.NONE)
    applications = {}

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

    def states_of(accessible):
        state = accessible.getState()
        return [name for name, value in (("showing", pyatspi.STATE_SHOWING),
                                         ("focused", pyatspi.STATE_FOCUSED),
                                         ("enabled", pyatspi.STATE_ENABLED),
                                         ("active", pyatspi.STATE_ACTIVE),
                                         ("checked", pyatspi.STATE_CHECKED))
                if state.contains(value)]

    def extents_of(accessible):
        try:
            box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return [box.x, box.y, box.width, box.height]
        except Exception:
            return None

    def control(accessible, role):
        node = {"role": role, "name": accessible.name or "", "states": states_of(accessible),
                "extents": extents_of(accessible)}
        if role in ("text", "password text", "entry"):
            try:
                node["text"] = accessible.queryText().getText(0, -1)
            except Exception:
                node["text"] = None
        return node

    def walk(accessible, found, depth):
        for i in range(accessible.childCount):
            child = accessible.getChildAtIndex(i)
            if child is None:
                continue
            role = child.getRoleName()
            if role in CONTROLS:
                found.append(control(child, role))
            if role in CONTAINERS and depth < 12:
                walk(child, found, depth + 1)

    def snapshot(request):
        app = application(request["pid"])
        if app is None:
            return None
        windows = []
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None:
                continue
            try:
                states = states_of(window)
                if "showing" not in states:
                    continue
                nodes = []
                walk(window, nodes, 0)
                windows.append({"name": window.name or "", "role": window.getRoleName(),
                                "states": states, "extents": extents_of(window),
                                "nodes": nodes})
            except Exception:  # gone while we looked: as good as not there
                continue
        return windows

    def ping(request):
        app = application(request["pid"])
        return None if app is None else app.childCount

    operations = {"snapshot": snapshot, "ping": ping}
    for line in sys.stdin:
        request = json.loads(line)
        try:
            reply = {"ok": operations[request["op"]](request)}
        except Exception as error:  # reported to the driver
            reply = {"error": f"{type(error).__name__}: {error}"}
        sys.stdout.write(json.dumps(reply) + "\n")
        sys.stdout.flush()


if __name__ == "__main__" and sys.argv[1:] == ["serve"]:
    serve()
