#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""A restless user: presses anything, anywhere, for minutes, and checks every rule after every
step (the rules and how to replay and shrink a failing run: the Soak part of README.md).

Each step is a typed step (steps.py), recorded as it was made and chosen only from the seed and
what the driver observed, so a failing run replays (--steps FILE) and shrinks (--shrink).

    python3 tests/soak/soak.py build-asan/skyrand --minutes 30 --wm xfwm4
    python3 tests/soak/soak.py build-asan/skyrand --seconds 60 --seed 1234
    python3 tests/soak/soak.py build-asan/skyrand --steps failing.json --shrink
    python3 tests/soak/soak.py build-asan/skyrand --replay tests/soak/regressions/*.json
"""

import argparse
import collections
import dataclasses
import os
import random
import re
import statistics
import sys
import tempfile
import time
import traceback
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))

import a11y  # noqa: E402
import xwatch  # noqa: E402
import harness  # noqa: E402
from steps import (  # noqa: E402
    EXPECTED, Activate, CannotPerform, Click, Close, Control, Desktop, Fill, Key, Popup, Second,
    Start, Type, load, save, showing)
from harness import tool  # noqa: E402

SCREEN = harness.SCREEN
PAGES = [harness.SITE + "/skyrand/ssd.php?page=" + key for key in (
    "home-page", "co-brand", "fully-branded", "help-web-page", "download-web-page", "donate",
    "orrimsoftwares")]
SITE_FOLDER = harness.SITE + "/skyrand/"
ENCODED = re.compile(r"([A-Za-z0-9._~-]|%[0-9A-F]{2})*")  # a value with nothing left unencoded
# The exit window's text boxes, by the accessible name each has (its placeholder).
FORM_BOXES = ["Your Name", "Your Email Address", "Friend's Name", "Friend's Email Address"]

DAYS = [str(day) for day in range(1, 32)]
MONTHS = ["January", "February", "March", "April", "May", "June", "July", "August",
          "September", "October", "November", "December"]
YEARS = [str(year) for year in range(1900, 2041)]
NAME_BOX = re.compile(r"[A-Z ]*")
REMINDER_DAYS = 14

ENTRY, RESULT, EXIT, ABOUT, MESSAGE = "entry", "result", "exit", "about", "message"
BASES = [(), (ENTRY,), (RESULT,), (EXIT,), (ABOUT, ENTRY), (ABOUT, RESULT)]
# A window's kind by its title (the about window: the dialog of the entry window's title), and
# the two ordinary windows of the entry window's title by a control in them.
BY_TITLE = {harness.MESSAGE_TITLE: MESSAGE, harness.EXIT_TITLE: EXIT, harness.ENTRY_TITLE: ABOUT}
BY_CONTROL = [(ENTRY, "text", "Name"), (RESULT, "push button", "Back")]

# --- the keyboard --------------------------------------------------------------------------------

LETTERS = [chr(c) for c in range(ord("a"), ord("z") + 1)]
DIGITS = [str(d) for d in range(10)]
PUNCTUATION = ["comma", "period", "at", "ampersand", "percent", "plus", "numbersign", "equal",
               "slash", "question", "minus", "underscore", "apostrophe", "quotedbl", "colon",
               "semicolon", "exclam", "parenleft", "parenright", "bracketleft", "asterisk",
               "dollar", "asciitilde", "backslash", "less", "greater", "bar", "grave"]
NAVIGATION = ["Left", "Right", "Up", "Down", "Home", "End", "Delete", "Prior", "Next"]
FUNCTION_KEYS = [f"F{n}" for n in range(1, 13)]
CONTROL_KEYS = ["ctrl+" + c for c in "acvxzyqwsnoep"]
MNEMONICS = {
    ENTRY: ["alt+f", "alt+h", "alt+d", "alt+e"],
    RESULT: ["alt+f", "alt+h", "alt+d", "alt+b", "alt+e", "alt+c"],
    EXIT: ["alt+x", "alt+n"],
    ABOUT: ["alt+o"],
    MESSAGE: ["alt+o", "alt+y", "alt+n"],
}
MENU_LETTERS = ["e", "x", "b", "o", "v", "u", "c", "a", "Return", "Down", "Up", "Left", "Right",
                "Escape", "space"]
TOKENS = ["ann", "Ann Lee", "ZOE", "a@b.c", "ann@example.com", "zoe@example.org", "x y",
          "123", "O'Neil", "%&?=#+/", "Zo\u00eb", "  pad  ", "a@b", "b.c"]
FORM_TOKENS = {
    "Your Name": ["Ann", "Ann & Bob", "Zo\u00eb", "O'Neil", "x"],
    "Your Email Address": ["ann@example.com", "a@b.c", "me@x.org", "a@b"],
    "Friend's Name": ["Zoe", "Bob Lee", "%&?=#+/", "Zo\u00eb"],
    "Friend's Email Address": ["zoe@example.org", "a@b.c", "you@y.net", "b.c"],
}


class Fault(Exception):
    """A rule the program broke; rule names it for shrinking."""

    def __init__(self, rule, detail):
        super().__init__(f"{rule}: {detail}")
        self.rule, self.detail = rule, detail


# --- observations ------------------------------------------------------------------------------


class Window:
    def __init__(self, wid, title, program, process):
        self.id, self.title, self.program, self.process = wid, title, program, process
        self.kind = self.transient_for = self.access = None  # access: its AT-SPI window
        self.client = self.frame = None  # (x, y, w, h) without the frame, and with it

    def __repr__(self):
        return f"{self.kind or '?'}:{self.id}"


class Observation:
    def __init__(self):
        self.windows = []  # of the main program, managed and popups
        self.second = []  # of the second instances
        self.stacking, self.focus, self.round_trip, self.ping = [], None, 0.0, 0.0

    def managed(self, program="main"):
        source = self.windows if program == "main" else self.second
        return [w for w in source if not w.popup]

    def popups(self):
        return [w for w in self.windows + self.second if w.popup]

    def combination(self):
        return tuple(sorted(w.kind or "?" for w in self.managed()))

    def kind(self, kind, program="main"):
        return next((window for window in self.managed(program) if window.kind == kind), None)

    def label(self):
        return ("+".join(self.combination()) or "none") + ("+popup" if self.popups() else "") + \
            (" (second: message)" if self.managed("second") else "")

    def signature(self):
        return tuple((w.id, w.title, w.popup, w.client, w.frame) for w in
                     self.windows + self.second)


class Life:
    """One start of the program, in a desktop of its own, with the second instances started
    meanwhile."""

    def __init__(self, wm, settings_days):
        self.cleanups = harness.Cleanups()
        self.session = harness.Session(self.cleanups, window_manager=wm)
        self.access = a11y.Accessibility(self.cleanups, self.session)
        self.watch = xwatch.ManagedWatch(self.session.display)
        self.cleanups.addCleanup(self.watch.close)
        self.seeded = None if settings_days is None else harness.settings_days(settings_days)
        if self.seeded is not None:
            self.session.seed_settings(self.seeded)
        self.due = settings_days is not None and abs(settings_days) > REMINDER_DAYS
        self.today_at_start = harness.today()
        self.main = self.session.start()
        self.seconds = []  # second instances still running
        self.exit_seen = False
        self.entry_seen = False
        self.messages_seen = {}  # message window id: text
        self.second_messages = set()  # programs whose message was seen
        self.forms = collections.deque(maxlen=12)  # recent exit-window form contents
        self.opened = 0  # lines of the opened file already judged
        self.output_seen = {}  # log: characters already searched
        self.window_info = {}  # id: (dialog, transient_for, popup, frame extents)
        self.main_done = False

    def ask(self, request):
        """(answer, seconds it took) of the AT-SPI client."""
        started = time.monotonic()
        try:
            answer = self.access.client.ask(request)
        except a11y.NoAnswer as error:
            raise Fault("answers", str(error))
        return answer, time.monotonic() - started

    def alive(self):
        return not self.main_done or any(p.running() for p in self.seconds)

    def close(self):
        for error in self.cleanups.run():
            if "sanitizer report" in str(error):
                raise Fault("sanitizer", str(error)[:4000])


# --- the soak ----------------------------------------------------------------------------------


class Soak:
    def __init__(self, wm, answer_limit, quiet=False):
        self.wm, self.answer_limit, self.quiet, self.life = wm, answer_limit, quiet, None
        self.steps = []  # (step, with the state it was made in, observed label) of this run
        self.figures = {"starts": 0, "second instances": 0, "reminders seeded": 0,
                        "combinations": collections.Counter(),
                        "addresses": collections.Counter(), "messages": collections.Counter(),
                        "pings": [], "effects": [], "round trips": []}
        self.last = None  # the last observation

    # -- the desktop --

    def window_info(self, wid):
        """(dialog, transient_for, popup, frame extents) of a window; what does not change."""
        info = self.life.window_info.get(wid)
        if info:
            return info
        session = self.life.session
        props = session._run([tool("xprop"), "-id", wid, "_NET_WM_WINDOW_TYPE",
                              "WM_TRANSIENT_FOR"], check=False)
        popup = "Override Redirect State: yes" in session._run([tool("xwininfo"), "-id", wid],
                                                               check=False)
        extents = session.frame_extents(wid) if not popup else (0, 0, 0, 0)
        info = ("_NET_WM_WINDOW_TYPE_DIALOG" in props, (harness._window_ids(props) or [None])[0],
                popup, extents)
        # The frame comes with the window manager's first look at the window: keep it once set.
        if popup or extents != (0, 0, 0, 0) or not session.window_manager:
            self.life.window_info[wid] = info
        return info

    def observe_x(self):
        """The program's windows as the X server and window manager have them."""
        obs = Observation()
        life = self.life
        started = time.monotonic()
        obs.focus = life.session.input_focus()
        obs.round_trip = time.monotonic() - started
        for name, program in [("main", life.main)] + [("second", p) for p in life.seconds]:
            for wid, title in life.session.windows(program).items():
                window = Window(wid, title, name, program)
                window.dialog, window.transient_for, window.popup, extents = \
                    self.window_info(wid)
                window.client = life.session.client_geometry(wid)
                if window.client is None:
                    continue  # gone meanwhile
                x, y, w, h = window.client
                left, right, top, bottom = extents
                window.frame = (x - left, y - top, w + left + right, h + top + bottom)
                (obs.windows if name == "main" else obs.second).append(window)
        obs.stacking = life.session.stacking()
        return obs

    def classify(self, obs, snapshot):
        """Names each managed window: by its title and type, and for the two ordinary windows
        of the same title by what is in them (the name box, the Back button)."""
        accessible = list(snapshot or [])
        for window in obs.windows + obs.second:
            if window.popup:
                window.kind = "popup"
                continue
            if window.program == "main":
                window.access = next((c for c in accessible if c["extents"] and c["name"] ==
                                      window.title and tuple(c["extents"]) == window.client), None)
            if window.title != harness.ENTRY_TITLE or window.dialog:
                window.kind = BY_TITLE.get(window.title)
            else:
                nodes = (window.access or {}).get("nodes", [])
                window.kind = next((kind for kind, role, name in BY_CONTROL if any(
                    n["role"] == role and n["name"] == name for n in nodes)), None)

    def observe(self):
        """Observes until two looks in a row agree (at most the answer limit), then asks
        AT-SPI what is in the windows."""
        life = self.life
        deadline, previous = time.monotonic() + self.answer_limit, None
        while True:
            obs = self.observe_x()
            if previous is not None and obs.signature() == previous.signature() or \
                    time.monotonic() > deadline:
                break
            previous = obs
            time.sleep(0.08)
        # Qt may tell AT-SPI where a window is only once the window manager has placed it.
        for attempt in range(8):
            snapshot, took = (life.ask({"op": "snapshot", "pid": life.main.pid})
                              if life.main.running() else (None, 0.0))
            self.classify(obs, snapshot)
            if all(w.kind for w in obs.managed()):
                break
            time.sleep(0.1)
            obs = self.observe_x()
        if life.main.running():
            _, obs.ping = life.ask({"op": "ping", "pid": life.main.pid})
        return obs

    # -- rules --

    def check(self, obs):
        """Every rule, on what was observed after a step. What the windows show is looked at
        again for a moment before it counts as a fault: a window that goes and the one that
        follows it are two requests to the window manager, and a look may fall between."""
        self.note_messages(obs)
        self.check_processes(obs)
        self.check_output()
        self.check_settings()
        self.check_addresses(obs)
        for figure, took, who in (("round trips", obs.round_trip, "the X server"),
                                  ("pings", obs.ping, "the program, over AT-SPI,")):
            if took > self.answer_limit:
                raise Fault("answers", f"{who} took {took:.2f} s to answer")
            self.figures[figure].append(took)
        deadline = time.monotonic() + self.answer_limit
        while True:
            try:
                self.check_windows(obs)
                break
            except Fault:
                if time.monotonic() > deadline:
                    raise
            time.sleep(0.1)
            obs = self.observe()
            self.check_processes(obs)
            self.note_messages(obs)
        self.check_contents(obs)
        return obs

    def check_processes(self, obs):
        life = self.life
        if not life.main_done and not life.main.running():
            status = life.main.popen.returncode
            life.main_done = True
            if status != 0:
                raise Fault("ended", f"the program ended with status {status}"
                            + self.output_tail(life.main))
            # It may have come and gone within one step: the window manager's list of windows
            # has it all the same.
            time.sleep(0.2)
            if not life.exit_seen and harness.EXIT_TITLE not in life.watch.titles(life.main.pid):
                raise Fault("ended", "the program ended with status 0 without its exit window "
                            "ever being shown")
        for program in list(life.seconds):
            if program.running():
                continue
            life.seconds.remove(program)
            status = program.popen.returncode
            if status != 0:
                raise Fault("ended", f"a second instance ended with status {status}"
                            + self.output_tail(program))
            if program.pid not in life.second_messages:
                raise Fault("ended", "a second instance ended without its message being seen")

    def output_tail(self, program):
        return "\n--- its output:\n" + program.output()[-3000:]

    def check_output(self, life=None):
        life = life or self.life
        for program in life.session.programs:
            text = program.output()
            seen = life.output_seen.get(program.pid, 0)
            new = text[max(0, seen - 40):]
            life.output_seen[program.pid] = len(text)
            if "Sanitizer" in new or "runtime error:" in new:
                raise Fault("sanitizer", f"in the output of {program.pid}:\n" + text[-6000:])

    def check_settings(self):
        life = self.life
        try:
            content = life.session.settings()
        except FileNotFoundError:
            content = None
        allowed = {harness.settings_bytes(life.today_at_start),
                   harness.settings_bytes(harness.today())}
        if life.seeded is not None:
            allowed.add(life.seeded)
        if content is None:
            # Before the program has got to its settings, there may be none yet.
            if life.entry_seen or life.seeded is not None:
                raise Fault("settings", "the settings file is gone")
            return
        if content not in allowed:
            raise Fault("settings", f"the settings file holds {content!r}, not one valid entry "
                        f"(expected one of {sorted(allowed)!r})")
        if life.due and life.entry_seen and content == life.seeded:
            raise Fault("settings", "the update question was asked but the date not renewed")

    def check_addresses(self, obs):
        life = self.life
        lines = life.session.opened()
        for line in lines[life.opened:]:
            life.opened += 1
            text = line.decode("utf-8", "replace")
            if text in PAGES:
                self.figures["addresses"][text] += 1
                continue
            self.check_refer(line)
            self.figures["addresses"]["refer-a-friend request"] += 1

    def check_refer(self, line):
        """A refer-a-friend request must carry, each value percent-encoded whole, exactly what
        the form held lately, and go out only for a form the program accepts. (Byte for byte,
        the address is the unit tests' and tests/data's business.)"""
        forms = [tuple(form[box].strip(" ") for box in FORM_BOXES) for form in self.life.forms]
        page, _, query = line.decode("utf-8", "replace").partition("&")
        values = [value for _, _, value in (pair.partition("=") for pair in query.split("&"))]
        decoded = [urllib.parse.unquote(value) for value in values]
        sent = next((form for form in forms if len(values) == 6 and decoded ==
                     [form[0], form[1], "Your Message\r\n", form[2], form[3], SITE_FOLDER]), None)
        if page != harness.REFER_PAGE or sent is None or not all(map(ENCODED.fullmatch, values)):
            raise Fault("address", f"{line!r} is neither a vendor page nor the request for "
                        f"what the form held lately: {forms[-3:]!r}")
        for value, placeholder in zip(sent, FORM_BOXES):
            if not value or value == placeholder:
                raise Fault("address", f"the request went out without {placeholder!r}: {line!r}")
        name, email, friend_name, friend_email = sent
        if email == friend_email or not all("@" in e and "." in e for e in (email, friend_email)):
            raise Fault("address", f"the request went out with improper addresses: {line!r}")

    def check_windows(self, obs):
        life = self.life
        for window in obs.windows + obs.second:
            x, y, w, h = window.frame
            if x < 0 or y < 0 or x + w > SCREEN[0] or y + h > SCREEN[1]:
                raise Fault("off-screen", f"{window} lies at {window.frame}, off the "
                            f"{SCREEN[0]}x{SCREEN[1]} screen")
        for window in obs.managed("second"):
            if window.kind != MESSAGE:
                raise Fault("windows", f"a second instance shows {window.title!r}")
        if life.main_done:
            return
        managed = obs.managed()
        kinds = [w.kind for w in managed]
        messages = [w for w in managed if w.kind == MESSAGE]
        base = tuple(sorted(k for k in kinds if k != MESSAGE))
        if "?" in kinds or None in kinds or base not in BASES or len(messages) > 1:
            raise Fault("windows", f"the program shows {obs.combination()}: "
                        f"{[(w.title, w.id, w.client) for w in managed]}")
        if not managed:
            raise Fault("windows", "the program runs but shows no window")
        ours = [wid for wid in obs.stacking if wid in {w.id for w in managed}]
        if messages:
            box = messages[0]
            if ours and ours[-1] != box.id:
                raise Fault("stacking", f"the message is not above every other window of the "
                            f"program: bottom to top {ours}, message {box.id}")
            owners = [w for w in managed if w.kind != MESSAGE]
            if owners:
                # The window it speaks for: the exit window, or the one in front.
                owner = next((w for w in owners if w.kind == ABOUT), None) or owners[0]
                if box.transient_for != owner.id:
                    raise Fault("stacking", f"the message is kept above {box.transient_for}, "
                                f"not above its window {owner}")
        about = obs.kind(ABOUT)
        if about:
            owner = obs.kind(ENTRY) or obs.kind(RESULT)
            if about.transient_for != owner.id:
                raise Fault("stacking", f"the about window belongs to {about.transient_for}, "
                            f"not to {owner}")
            if not messages and ours and ours[-1] != about.id:
                raise Fault("stacking", f"the about window is not above {owner}: {ours}")

    def check_contents(self, obs):
        life = self.life
        if life.main_done:
            return
        entry, exit_window = obs.kind(ENTRY), obs.kind(EXIT)
        life.entry_seen |= bool(entry or obs.kind(RESULT) or exit_window)
        if entry:
            nodes = entry.access["nodes"]
            name = [n for n in nodes if n["role"] == "text" and n["name"] == "Name"][0]
            if name["text"] is None or not NAME_BOX.fullmatch(name["text"]):
                raise Fault("name box", f"the name box holds {name['text']!r}")
            lists = sorted((n for n in nodes if n["role"] == "combo box"),
                           key=lambda n: n["extents"][0])
            if len(lists) != 3:
                raise Fault("lists", f"the entry window shows {len(lists)} lists")
            for combo, items, what in zip(lists, (DAYS, MONTHS, YEARS),
                                          ("Date", "Month", "Year")):
                if combo["name"] != what or combo.get("text") not in items:
                    raise Fault("lists", f"the {what} list, named {combo['name']!r}, shows "
                                f"{combo.get('text')!r}")
        if exit_window:
            life.exit_seen = True
            boxes = {n["name"]: n.get("text") for n in exit_window.access["nodes"]
                     if n["role"] == "text"} if exit_window.access else {}
            if all(boxes.get(box) is not None for box in FORM_BOXES):
                form = {box: boxes[box] for box in FORM_BOXES}
                if not life.forms or life.forms[-1] != form:
                    life.forms.append(form)

    def note_messages(self, obs):
        life = self.life
        for window in obs.managed() + obs.managed("second"):
            if window.kind != MESSAGE or window.id in life.messages_seen:
                continue
            if window.program == "second":
                life.second_messages.add(window.process.pid)  # counted when it came up
                continue
            if window.access is not None:
                text = " / ".join(n["name"] for n in window.access["nodes"] if n["role"] == "label"
                                  and n["name"]).replace("\n", " ") or "(no text)"
                life.messages_seen[window.id] = text
                self.figures["messages"][text] += 1

    # -- choosing a step --

    def choose(self, rng, obs):
        """The next step, from the random generator and what was observed only."""
        life = self.life
        if life is None or not life.alive():
            days = None
            roll = rng.random()
            if roll < 0.15:
                days = rng.choice([-400, -30, -15, 15, 60])  # due: the question comes up
            elif roll < 0.22:
                days = rng.choice([-14, -5, 0, 5, 14])  # stored, not due
            return Start(days)
        managed = obs.managed() + obs.managed("second")
        popups = obs.popups()
        message = next((w for w in managed if w.kind == MESSAGE), None)
        focused = next((w for w in managed if w.id == obs.focus), None)

        if popups:
            return self.pick(rng, [
                (45, lambda: Popup(round(rng.random(), 3), round(rng.random(), 3))),
                (35, lambda: Key(rng.choice(MENU_LETTERS + NAVIGATION[:4]))),
                (20, lambda: self.general(rng, obs, managed, focused)),
            ])
        if message:
            return self.pick(rng, [
                (30, lambda: Key(rng.choice(["Return", "space", "Escape", "Tab", "shift+Tab",
                                             "Left", "Right"] + MNEMONICS[MESSAGE]))),
                (20, lambda: self.control_click(rng, message)),
                (8, lambda: self.close_step(rng, message)),
                (42, lambda: self.general(rng, obs, managed, focused)),
            ])
        special = []
        entry = obs.kind(ENTRY)
        if entry and not obs.kind(ABOUT):
            # A reading needs a name: letters first, then the button (a click, or Tab to it).
            named = any(n["role"] == "text" and n["name"] == "Name" and n.get("text")
                        for n in (entry.access or {}).get("nodes", []))
            if named:
                special.append((25, lambda: Control(ENTRY, "push button",
                                                    "Get My Eris Astrology Sign")))
            special += [(12, lambda: Type(rng.choice(["ann", "Zoe", "b"]))),
                        (10, lambda: Key(rng.choice(["alt+h", "alt+f"])))]
        if obs.kind(RESULT):
            special.append((10, lambda: Key(rng.choice(["alt+h", "alt+f"]))))
        if obs.kind(EXIT):
            special += [(5, lambda: Fill({box: rng.choice(FORM_TOKENS[box]) for box in FORM_BOXES},
                                         rng.random() < 0.8)),
                        (6, lambda: Control(EXIT, "push button", "Exit"))]
        if not life.seconds and not life.main_done and rng.random() < 0.02:
            return Second()
        return self.pick(rng, special + [(100, lambda: self.general(rng, obs, managed,
                                                                      focused))])

    @staticmethod
    def pick(rng, choices):
        """Makes one of the (weight, make) choices, each as likely as its weight says."""
        return rng.choices([make for _, make in choices], [weight for weight, _ in choices])[0]()

    def general(self, rng, obs, managed, focused):
        if not managed:
            return Key(rng.choice(LETTERS))
        target = rng.choice(managed)
        mnemonics = MNEMONICS.get(focused.kind if focused else target.kind, ["alt+f"])
        keys = [
            (25, LETTERS), (4, [k.upper() for k in LETTERS[:6]]), (5, DIGITS), (6, PUNCTUATION),
            (5, ["space"]), (5, ["BackSpace"]), (3, ["Return"]), (2, ["Escape"]), (8, ["Tab"]),
            (5, ["shift+Tab"]), (12, mnemonics), (5, CONTROL_KEYS), (8, NAVIGATION),
            (2, FUNCTION_KEYS), (1, ["alt+F4"]), (1, ["KP_Enter"]),
        ]
        return self.pick(rng, [
            (45, lambda: Key(rng.choice(self.pick(rng, [(w, lambda g=g: g) for w, g in keys])))),
            (6, lambda: Type(rng.choice(TOKENS))),
            (22, lambda: self.control_click(rng, target)),
            (14, lambda: Click(target.kind, round(rng.random(), 3), round(rng.random(), 3))),
            (3, lambda: self.close_step(rng, target)),
            (2, lambda: Activate(target.kind)),
            (1, lambda: Desktop(rng.randrange(SCREEN[0]), rng.randrange(SCREEN[1]))),
        ])

    def control_click(self, rng, window):
        nodes = [node for node in showing(window) if node["role"] != "label"]
        if not nodes:
            return Click(window.kind, round(rng.random(), 3), round(rng.random(), 3))
        node = rng.choice(nodes)
        return Control(window.kind, node["role"], node["name"])

    @staticmethod
    def close_step(rng, window):
        return Close(window.kind, rng.choice(["request", "request", "button", "alt+F4"]))

    # -- performing a step --

    def expectation(self, key, obs):
        """What a key certainly does, and soon: (what, check) or None."""
        if obs.popups():
            return None
        focused = next((w for w in obs.managed() + obs.managed("second")
                        if w.id == obs.focus), None)
        if focused is None:
            return None
        kinds = [w.kind for w in obs.managed()]
        if focused.kind == MESSAGE and key in ("Return", "space", "Escape") and \
                self.focused_role(focused) == "push button":
            return (f"the message to close at {key}", lambda o: focused.id not in
                    {w.id for w in o.managed() + o.managed("second")})
        if focused.kind in (ENTRY, RESULT) and key == "Escape" and MESSAGE not in kinds and \
                ABOUT not in kinds and self.focused_role(focused) in (
                    "text", "combo box", "push button"):
            return (f"the {focused.kind} window to give way to the exit window at Escape",
                    lambda o: focused.id not in {w.id for w in o.managed()})
        if focused.kind == EXIT and key == "alt+x" and MESSAGE not in kinds:
            return ("the program to end at Alt+X", lambda o: not self.life.main.running())
        return None

    @staticmethod
    def focused_role(window):
        return next((node["role"] for node in (window.access or {}).get("nodes", [])
                     if "focused" in node["states"]), None)

    def await_effect(self, what, done):
        started = time.monotonic()
        while True:
            obs = self.observe_x()
            if done(obs):
                took = time.monotonic() - started
                self.figures["effects"].append(took)
                if took > self.answer_limit:
                    raise Fault("answers", f"{what}: it took {took:.2f} s")
                return
            waited = time.monotonic() - started
            if waited > max(10.0, self.answer_limit):
                raise Fault("answers", f"{what}: nothing within {waited:.1f} s")
            time.sleep(0.03)

    def start(self, days):
        self.end_life()
        life = self.life = Life(self.wm, days)
        self.figures["starts"] += 1
        self.figures["reminders seeded"] += life.due
        # The start itself is not timed: a sanitizer build on a busy machine starts slowly.
        harness.wait_until(lambda: life.session.windows(life.main) or not life.main.running(),
                           "the program's first window",
                           describe=lambda: life.session.describe(life.main))

    def end_life(self):
        if self.life is not None:
            life, self.life = self.life, None
            self.check_output(life)
            life.close()

    # -- running --

    @staticmethod
    def state(obs):
        """What a step is recorded in (Step.when): the windows, and which has the keyboard."""
        focused = next((w for w in obs.managed() + obs.managed("second") if w.id == obs.focus),
                       None)
        return {"shows": obs.label(), "keyboard": focused and focused.kind}

    def await_state(self, index, step):
        """Waits until the program is where the step was recorded, as the user would wait."""
        deadline = time.monotonic() + harness.TIMEOUT
        while self.state(self.last) != step.when:
            if time.monotonic() > deadline:
                raise Fault("replay", f"step #{index} ({step.describe()}) waited in vain for "
                            f"{step.when}: the program is at {self.state(self.last)}")
            time.sleep(0.1)
            self.last = self.observe()

    def one(self, step, replay=False):
        """Performs one step and checks every rule after it. A step that cannot be made on what
        is there fails a replay; a random run leaves it out, as the user would not make it."""
        index = len(self.steps) + 1
        if replay and step.when and not isinstance(step, Start) and self.life is not None:
            self.await_state(index, step)
        obs = self.last or Observation()
        if not isinstance(step, Start):
            step = dataclasses.replace(step, when=self.state(obs))
        self.steps.append((step, obs.label()))
        if not self.quiet and os.environ.get("SKYRAND_SOAK_TRACE"):
            print(f"  #{index} [{obs.label()}] {step.describe()}", flush=True)
        try:
            if not isinstance(step, Start) and (self.life is None or not self.life.alive()):
                raise CannotPerform("the program has ended")
            step.perform(self, obs)
        except CannotPerform as error:
            if replay:
                raise Fault("replay", f"step #{index} ({step.describe()}) cannot be performed: "
                            f"{error}") from None
            self.steps.pop()
            return
        time.sleep(0.12)
        obs = self.check(self.observe())
        if not self.life.main_done:
            self.figures["combinations"][obs.label()] += 1
        self.last = obs



def figures_text(soak, seconds, seed, steps):
    f = soak.figures
    lines = [f"seed {seed}" if seed is not None else "replayed steps",
             f"window manager {soak.wm}", f"steps {steps}",
             f"steps per second {steps / seconds:.2f} over {seconds:.0f} s",
             f"starts {f['starts']} (update question seeded {f['reminders seeded']}, second "
             f"instances {f['second instances']})"]

    for what, seen in zip(EXPECTED, ("window combinations seen (after each step)",
                                     "addresses opened", "messages seen")):
        lines.append(seen + ":")
        lines += [f"  {count:6d}  {key}" for key, count in
                  sorted(f[what].items(), key=lambda kv: (-kv[1], kv[0]))]
    for name in ("pings", "round trips", "effects"):
        values = f[name]
        if values:
            lines.append(f"{name}: median {statistics.median(values) * 1000:.0f} ms, "
                         f"max {max(values) * 1000:.0f} ms over {len(values)}")
    return "\n".join(lines)


def run(wm, answer_limit, steps=None, seed=None, seconds=None, quiet=False):
    """Runs a soak (steps=None: random, from seed, for seconds) or replays steps.
    Returns (soak, the first fault or None, elapsed seconds)."""
    soak = Soak(wm, answer_limit, quiet=quiet)
    started = time.monotonic()

    def make_steps():
        if steps is None:
            rng, deadline = random.Random(seed), time.monotonic() + seconds
            while time.monotonic() < deadline:
                soak.one(soak.choose(rng, soak.last if soak.life is not None else Observation()))
        for step in steps or []:
            soak.one(step, replay=True)
    fault = None
    for part in (make_steps, soak.end_life):
        try:
            part()
        except Fault as error:
            fault = fault or error
        except Exception as error:  # noqa: BLE001 - the driver's own failure, reported as such
            fault = fault or Fault("driver", "".join(traceback.format_exception(error)))
    return soak, fault, time.monotonic() - started


def shrink(wm, answer_limit, steps, expect, rule, tries):
    """Delta debugging over the step list: the shortest list found that still breaks the
    same rule, and what its failing replay showed (its expect block). Each candidate is
    replayed from a fresh desktop."""
    shown_by = {repr(steps): expect}  # of each candidate: what its failing replay showed

    def fails(candidate):
        key = repr(candidate)
        if key not in shown_by:
            shown_by[key] = None
            for _ in range(tries):
                soak, fault, _ = run(wm, answer_limit, steps=candidate, quiet=True)
                if fault is not None and fault.rule == rule:
                    shown_by[key] = shown(soak)
                    break
            print(f"  shrink: {len(candidate)} steps: "
                  f"{'passes' if shown_by[key] is None else 'fails'}", flush=True)
        return shown_by[key] is not None

    # Every start begins a fresh desktop: first try the last start on its own.
    starts = [i for i, step in enumerate(steps) if isinstance(step, Start)]
    for first in reversed(starts):
        if fails(steps[first:]):
            steps = steps[first:]
            break
    n = 2
    while len(steps) >= 2:
        chunk = max(1, len(steps) // n)
        parts = [steps[i:i + chunk] for i in range(0, len(steps), chunk)]
        reduced = False
        for i in range(len(parts)):
            complement = [s for j, part in enumerate(parts) if j != i for s in part]
            if complement and fails(complement):
                steps, n, reduced = complement, max(n - 1, 2), True
                break
        if not reduced:
            if n >= len(steps):
                break
            n = min(len(steps), n * 2)
    return steps, shown_by[repr(steps)]


def shown(soak):
    """What a run showed, as a list's expect block: the window combinations after its steps,
    the addresses opened and the messages, each of which its replay must show again."""
    return {what: sorted(soak.figures[what]) for what in EXPECTED}


def missed(soak, expect):
    """The first thing a list expects that its replay did not show, as a Fault."""
    return next((Fault("replay", f"never seen among the {what}: {item!r} (seen: "
                       f"{dict(soak.figures[what])})")
                 for what, wanted in expect.items() for item in wanted
                 if not soak.figures[what][item]), None)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program", nargs="?", default=os.path.join(
        HERE, "..", "..", "build-asan", "skyrand"), help="the skyrand to soak (build-asan)")
    parser.add_argument("--wm", default=None, choices=sorted(harness.WINDOW_MANAGERS),
                        help="window manager (default: SKYRAND_E2E_WM, else openbox)")
    parser.add_argument("--seconds", type=float, help="how long (default 60 s)")
    parser.add_argument("--minutes", type=float)
    parser.add_argument("--seed", type=int, help="random when not given; always printed")
    parser.add_argument("--steps", help="replay this recorded step list instead")
    parser.add_argument("--replay", nargs="+", metavar="LIST",
                        help="replay regression lists, each from a fresh start; all must pass")
    parser.add_argument("--shrink", action="store_true",
                        help="cut a failing run down to a short list that still fails")
    parser.add_argument("--shrink-tries", type=int, default=2,
                        help="replays of a candidate before it counts as passing")
    parser.add_argument("--answer-limit", type=float, default=2.0,
                        help="seconds the program may take to answer (default 2)")
    parser.add_argument("--out", default=os.path.join(tempfile.gettempdir(), "skyrand-soak"),
                        help="where a failing run leaves its step list")
    args = parser.parse_args()

    harness.PROGRAM = os.path.abspath(args.program)
    if not os.access(harness.PROGRAM, os.X_OK):
        sys.exit(f"{harness.PROGRAM}: no such program (build it first)")
    # Processes the program starts detached (the browser launcher) come back here to be reaped.
    harness._libc.prctl(harness._PR_SET_CHILD_SUBREAPER, 1)
    wm = args.wm or harness.window_manager_name()
    os.makedirs(args.out, exist_ok=True)

    try:  # every list read before the first replays: a list that cannot be, fails at once
        lists = [(path, *load(path, regression=True)) for path in args.replay or []]
        steps, expect = load(args.steps) if args.steps else (None, None)
    except ValueError as error:
        sys.exit(f"soak: {error}")
    if args.replay:
        failed = 0
        for path, steps, expect in lists:
            soak, fault, elapsed = run(wm, args.answer_limit, steps=steps, quiet=True)
            fault = fault or missed(soak, expect)
            name = os.path.basename(path)
            if fault:
                failed += 1
                print(f"FAIL {name} under {wm}: {fault}")
                print_last(soak)
            else:
                print(f"ok   {name} under {wm} ({len(soak.steps)} steps, {elapsed:.1f} s)")
        print(f"{len(args.replay) - failed} passed, {failed} failed")
        sys.exit(1 if failed else 0)

    seed = None
    if args.steps:
        print(f"replaying {len(steps)} steps of {args.steps} under {wm}", flush=True)
        soak, fault, elapsed = run(wm, args.answer_limit, steps=steps)
        fault = fault or missed(soak, expect)
    else:
        seed = args.seed if args.seed is not None else random.SystemRandom().randrange(10**9)
        seconds = args.minutes * 60 if args.minutes else (args.seconds or 60.0)
        print(f"soak: seed {seed}, {seconds:.0f} s under {wm}, {harness.PROGRAM}", flush=True)
        soak, fault, elapsed = run(wm, args.answer_limit, seed=seed, seconds=seconds)
    print(figures_text(soak, elapsed, seed, len(soak.steps)), flush=True)
    if fault is None:
        print("soak: every rule held")
        return
    recorded = [step for step, _ in soak.steps]
    path = os.path.join(args.out, f"soak-{wm}-{seed if seed is not None else 'replay'}.json")
    save(path, recorded, shown(soak), wm=wm, seed=seed, fault=str(fault))
    print(f"\nFAULT ({fault.rule}) at step {len(recorded)}, seed {seed}:\n{fault.detail}")
    print_last(soak)
    print(f"the whole step list: {path}")
    if args.shrink and fault.rule == "replay":
        print("not shrinking: the list itself no longer replays")
    elif args.shrink:
        print(f"shrinking {len(recorded)} steps ({fault.rule})...", flush=True)
        short, expect = shrink(wm, args.answer_limit, recorded, shown(soak), fault.rule,
                               args.shrink_tries)
        short_path = path.replace(".json", "-short.json")
        save(short_path, short, expect, wm=wm, seed=seed, fault=str(fault))
        print(f"short list ({len(short)} steps), in {short_path}:")
        for index, step in enumerate(short, 1):
            print(f"  {index}. {step.describe()}")
    sys.exit(1)


def print_last(soak, count=50):
    print(f"last {min(count, len(soak.steps))} steps ([what was visible before] step):")
    for index, (step, label) in enumerate(soak.steps[-count:],
                                          max(1, len(soak.steps) - count + 1)):
        print(f"  #{index} [{label}] {step.describe()}")


if __name__ == "__main__":
    main()
