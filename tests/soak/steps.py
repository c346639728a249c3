# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""The soak's steps, one type for each kind: what it sends to the program and how it reads,
and the step lists they are saved in (their format: the Soak part of README.md)."""

import dataclasses
import json

import a11y
import harness
import xwatch


class CannotPerform(Exception):
    """A step that cannot be made on what is there; nothing of it has been sent."""


STEPS = {}  # each step type by the name it is saved under
EXPECTED = ("combinations", "addresses", "messages")  # what a list's replay can be held to


def step(kind, words):
    """A step type: a frozen dataclass, saved as {"step": kind} and its fields, and described
    in words (a format of its fields)."""
    def register(cls):
        cls.kind, cls.words, STEPS[kind] = kind, words, cls
        return dataclasses.dataclass(frozen=True)(cls)
    return register


@dataclasses.dataclass(frozen=True)
class Step:
    """perform(soak, obs) sends the step's input to the program as obs, the last observation,
    has it; when that cannot be done it raises CannotPerform before sending anything.

    when is the state the step was recorded in: {"shows": the windows, as the figures name
    their combinations, "keyboard": the kind of window that had the keyboard}. A replay waits
    for it before it acts, so that a slow machine replays the same steps into the same
    windows."""
    when: "dict | None" = dataclasses.field(default=None, kw_only=True, compare=False)

    def perform(self, soak, obs):  # a click, at the point where(obs)
        soak.life.session.click_at(*self.where(obs))

    def describe(self):
        return self.words.format(**vars(self))

    def saved(self):
        saved = {"step": self.kind, **dataclasses.asdict(self)}
        when = saved.pop("when")
        return saved if when is None else {**saved, "when": when}

    @staticmethod
    def load(saved):
        fields = dict(saved)
        kind = fields.pop("step", None)
        if kind not in STEPS:
            raise ValueError(f"{saved}: no such step (steps: {sorted(STEPS)})")
        try:
            return STEPS[kind](**fields)
        except TypeError as error:  # a field missing or unknown
            raise ValueError(f"{saved}: {error}") from None


def window_of(obs, kind):
    """The window of this kind: the main program's, else a second instance's."""
    window = obs.kind(kind) or obs.kind(kind, "second")
    if window is None:
        raise CannotPerform(f"no {kind} window (the program shows {obs.label()})")
    return window


def showing(window):
    """The controls of the window that are on the screen, where a click reaches them."""
    return [node for node in (window.access or {}).get("nodes", [])
            if node["extents"] and node["extents"][2] > 0 and "showing" in node["states"]]


def control_centre(window, role, name):
    for node in showing(window):
        if node["role"] == role and node["name"] == name:
            return a11y.centre(node)
    raise CannotPerform(f"no {role} {name!r} showing in the {window.kind} window")


def point_in(box, across, down):
    """The point so far across and down (0 to 1) an (x, y, w, h) box."""
    x, y, w, h = box
    return x + int(across * (w - 1)), y + int(down * (h - 1))


@step("start", "start, with the settings file dated {days} days from today")
class Start(Step):
    days: "int | None" = None  # None: no settings file

    def describe(self):
        return "start" if self.days is None else super().describe()

    def perform(self, soak, obs):
        soak.start(self.days)


@step("second", "start a second instance")
class Second(Step):
    def perform(self, soak, obs):
        life = soak.life
        if life.main_done or life.seconds:
            raise CannotPerform("the program has ended, or a second instance still runs")
        program = life.session.start()
        life.seconds.append(program)
        soak.figures["second instances"] += 1
        harness.wait_until(lambda: harness.MESSAGE_TITLE in life.session.windows(program).values()
                           or not program.running(), "the second instance's message",
                           describe=lambda: life.session.describe(program))
        if program.running():
            life.second_messages.add(program.pid)
            soak.figures["messages"]["Application is already running (second instance)"] += 1


@step("key", "key {key}")
class Key(Step):
    key: str  # as xdotool names it: "a", "alt+h", "Return"

    def perform(self, soak, obs):
        expected = soak.expectation(self.key, obs)
        soak.life.session.keys_no_focus(self.key)
        if expected:
            soak.await_effect(*expected)


@step("type", "type {text!r}")
class Type(Step):
    text: str

    def perform(self, soak, obs):
        soak.life.session.type_no_focus(self.text, 40)


@step("popup", "click the open menu or list at {across}, {down} across and down it")
class Popup(Step):
    across: float
    down: float

    def where(self, obs):
        if not obs.popups():
            raise CannotPerform("no menu or list is open")
        return point_in(obs.popups()[-1].client, self.across, self.down)


@step("desktop", "click the desktop at {x}, {y}, away from every window of the program")
class Desktop(Step):
    x: int
    y: int

    def where(self, obs):
        for window in obs.windows + obs.second:
            x, y, w, h = window.frame
            if x <= self.x < x + w and y <= self.y < y + h:
                raise CannotPerform(f"the window {window} lies there")
        return self.x, self.y


@step("click", "click the {window} window at {across}, {down} across and down it")
class Click(Step):
    window: str
    across: float
    down: float

    def where(self, obs):
        return point_in(window_of(obs, self.window).client, self.across, self.down)


@step("control", "click the {role} {name!r} in the {window} window (found over AT-SPI)")
class Control(Step):
    window: str
    role: str
    name: str

    def where(self, obs):
        return control_centre(window_of(obs, self.window), self.role, self.name)


@step("close", "close the {window} window ({how})")
class Close(Step):
    window: str
    how: str  # the window manager's "request", its title bar's "button", or "alt+F4"

    def perform(self, soak, obs):
        window, session = window_of(obs, self.window), soak.life.session
        if self.how == "button":
            # A window raised over it (a click on the exit window raises it over a message box
            # that is kept above too) hides its close button from the user's pointer.
            point = session.close_button(window.id)
            if point is None:
                raise CannotPerform("it is gone")
            x, y = point
            above = obs.stacking[obs.stacking.index(window.id) + 1:] \
                if window.id in obs.stacking else []
            for other in obs.windows + obs.second:
                ox, oy, ow, oh = other.frame
                if other.id in above and ox <= x < ox + ow and oy <= y < oy + oh:
                    raise CannotPerform(f"its close button lies under the {other} window")
        ways = {"request": lambda: xwatch.net_close_window(session.display, window.id),
                "button": lambda: session.click_close_button(window.id),
                "alt+F4": lambda: session.keys_no_focus("alt+F4")}
        if self.how not in ways:
            raise CannotPerform(f"no way to close a window by {self.how!r}")
        ways[self.how]()


@step("activate", "activate the {window} window")
class Activate(Step):
    window: str

    def perform(self, soak, obs):
        soak.life.session._run([harness.tool("xdotool"), "windowactivate",
                                window_of(obs, self.window).id], check=False)


@step("fill", "fill in the exit window's form, box by box: {texts}; submit it: {submit}")
class Fill(Step):
    texts: dict  # box (its accessible name): what goes into it, in the order they are filled
    submit: bool

    def perform(self, soak, obs):
        window, session = window_of(obs, "exit"), soak.life.session
        for box, centre in [(box, control_centre(window, "text", box)) for box in self.texts]:
            session.click_at(*centre)
            # A click puts the cursor where it lands: what was in the box goes first.
            session.keys_no_focus("ctrl+a", "BackSpace")
            session.type_no_focus(self.texts[box], 40)
        if self.submit:
            # The form's contents before the request goes out: the request must carry them.
            soak.check(soak.observe())
            session.keys_no_focus("alt+n")


def save(path, steps, expect, **notes):
    """Writes a step list with its expect block, one step a line."""
    text = json.dumps({**notes, "steps": "STEPS", "expect": expect}, ensure_ascii=False,
                      indent=1)
    lines = ",\n  ".join(json.dumps(step.saved(), ensure_ascii=False) for step in steps)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text.replace('"steps": "STEPS"', '"steps": [\n  ' + lines + "\n ]", 1) + "\n")


def load(path, regression=False):
    """(steps, expect) of a saved list. Raises ValueError for a list that cannot be read, or
    that does not say what its replay must show (a regression list: at least one thing)."""
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        steps, expect = [Step.load(saved) for saved in data["steps"]], data["expect"]
    except (OSError, KeyError, TypeError, AttributeError) as error:
        raise ValueError(f"{path}: not a step list with an expect block: {error!r}") from None
    except ValueError as error:
        raise ValueError(f"{path}: {error}") from None
    if not isinstance(expect, dict) or not set(expect) <= set(EXPECTED) or \
            (regression and not any(expect.values())):
        raise ValueError(f"{path}: its expect block {expect!r} must say which of {EXPECTED} "
                         "its replay must show")
    return steps, expect
