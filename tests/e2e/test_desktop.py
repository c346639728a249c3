# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""The program on a desktop: which window is in front, where the keyboard goes, where windows
open, and what an assistive technology can do. Every class runs under the window manager that
SKYRAND_E2E_WM names.

Where the point is that the program itself hands the keyboard to the right place, the keys go to
wherever the keyboard focus is, on X11 or as the Wayland compositor sends them (keys_no_focus,
type_no_focus): the test activates nothing."""

# Where the window manager decides (stacking, focus, placement, its close button and bindings):
# CTest: DESKTOP MessageStacking KeyboardAfterExit EntryPosition
# CTest: WAYLAND MessageStacking KeyboardAfterExit

import a11y
import harness
from harness import (DOWNLOAD_PAGE, EMAIL, ENTRY_TITLE, EXIT_TITLE, FRIEND_EMAIL, FRIEND_NAME,
                     MESSAGE_TITLE, NAME, SITE, fill, moves, refer_request, settings_days,
                     wait_until)

HOME_PAGE = SITE + "/skyrand/ssd.php?page=home-page"
CO_BRAND_PAGE = SITE + "/skyrand/ssd.php?page=co-brand"
FULLY_BRANDED_PAGE = SITE + "/skyrand/ssd.php?page=fully-branded"
SOFTWARES_PAGE = SITE + "/skyrand/ssd.php?page=orrimsoftwares"

PROMOTION = "The Most Popular Online Orrim Discussion Board"
CO_BRAND_OFFER = "Co-brand this software"
FULL_BRAND_OFFER = "Home Business Opportunity"
OFFER_PAGES = {CO_BRAND_OFFER: CO_BRAND_PAGE, FULL_BRAND_OFFER: FULLY_BRANDED_PAGE}

# How long a window may take to get the keyboard once it is shown: the window manager and the
# program hand it over in a few round trips, so this only has to cover a slow machine.
KEYBOARD_TIMEOUT = 10.0

# A complete, valid request, and the boxes it goes into.
FORM = {NAME: "Ann Lee", EMAIL: "ann@example.com", FRIEND_EMAIL: "zoe@example.org",
        FRIEND_NAME: "Zoe"}
FORM_ADDRESS = refer_request(FORM[NAME], FORM[EMAIL], FORM[FRIEND_NAME], FORM[FRIEND_EMAIL])


class DesktopChecks:
    """Where the keyboard is, for the classes that ask (with harness.TestCase)."""

    def desktop(self, s, *programs):
        """The stacking order, active window and keyboard, for failure messages."""
        names = {w: title for program in programs for w, title in s.windows(program).items()}
        order = [f"{w} {names.get(w, '(not ours)')!r}" for w in s.stacking()] \
            if s.shows_stacking else "(not shown)"
        return (f"stacking, bottom to top: {order}\nactive: {s.active_window()}, keyboard: "
                f"{s.input_focus()}\n" + "\n".join(s.describe(p) for p in programs))

    def wait_keyboard(self, s, window, what, *programs):
        """Waits until the window has the X input focus: keys typed now go to it."""
        wait_until(lambda: s.input_focus() == window, f"{what} to get the keyboard",
                   KEYBOARD_TIMEOUT, describe=lambda: self.desktop(s, *programs))

    def assert_entry_takes_a_name(self, s, program, entry):
        """The entry window has the keyboard in its name box: a name typed now gets a reading."""
        self.wait_keyboard(s, entry, "the entry window", program)
        s.type_no_focus("Ann")
        s.keys_no_focus("Tab", "Tab", "Tab", "Tab", "space")
        s.wait_window(program, ENTRY_TITLE, KEYBOARD_TIMEOUT, other_than=(entry,))

    def assert_form_sent(self, s, program):
        """The exit window's request goes out, the one for FORM, and the window stays."""
        wait_until(lambda: s.opened() or s.titles(program) != [EXIT_TITLE],
                   "the request to go out", KEYBOARD_TIMEOUT,
                   describe=lambda: self.desktop(s, program))
        self.assertEqual(s.opened(), [FORM_ADDRESS])
        self.assertEqual(s.titles(program), [EXIT_TITLE])


class MessageStacking(DesktopChecks, harness.TestCase):
    """Every message comes up in front of all windows, active, with the keyboard on its button,
    and gives the keyboard back to where it was when it closes."""

    def assert_in_front_with_the_keyboard(self, s, box, *programs):
        if s.shows_stacking:  # on Wayland only the compositor knows; it raises what it focuses
            wait_until(lambda: s.stacking()[-1:] == [box], "the message to be the topmost "
                       "window", KEYBOARD_TIMEOUT, describe=lambda: self.desktop(s, *programs))
        wait_until(lambda: s.active_window() == box, "the message to be the active window",
                   KEYBOARD_TIMEOUT, describe=lambda: self.desktop(s, *programs))
        self.wait_keyboard(s, box, "the message", *programs)

    def test_entry_window_message(self):
        s = self.session()
        program = s.start()
        entry = s.wait_window(program, ENTRY_TITLE)
        # A reading with no name: "Please Enter Your Name". (Alt+E would not do: the Get-sign
        # and the Exit button share that mnemonic, and Qt only moves the focus between them.)
        s.keys(entry, "Tab", "Tab", "Tab", "Tab", "space")
        box = s.wait_window(program, MESSAGE_TITLE)
        self.assert_in_front_with_the_keyboard(s, box, program)
        s.keys_no_focus("space")
        s.wait_titles(program, [ENTRY_TITLE])
        self.assert_entry_takes_a_name(s, program, entry)
        s.wait_titles(program, [ENTRY_TITLE])

    def test_exit_window_messages(self):
        # Each case fills the form so that it asks for a message (at once, or when sent), and
        # ends with the focus on a known box. Once the message is closed, keys pressed from that
        # box fill the whole form correctly: the request that goes out shows that each key went
        # where it should.
        for case, values, send in [
            ("Please Enter Distinct Email Addresses", [(EMAIL, "a@b.c"), (FRIEND_EMAIL, "a@b.c")],
             True),
            ("Please Enter Proper Email Address", [(EMAIL, "ab"), (FRIEND_EMAIL, "d@e.f")], True),
            # Proper, distinct addresses, but the name box still shows its placeholder: the
            # request itself refuses it, after the form's own checks.
            ("Please Enter Your Name (the request's own check)",
             [(EMAIL, "a@b.c"), (FRIEND_EMAIL, "d@e.f")], True),
            ("Email Address Cannot Contain Space", [(EMAIL, "a ")], False),
        ]:
            with self.subTest(case), self.session() as s:
                program = s.start()
                window = self.escape_to_exit(s, program, s.wait_window(program, ENTRY_TITLE))
                at = fill(s, window, values)
                if send:
                    s.keys(window, "alt+n")
                box = s.wait_window(program, MESSAGE_TITLE)
                self.assert_in_front_with_the_keyboard(s, box, program)
                s.keys_no_focus("space")
                s.wait_titles(program, [EXIT_TITLE])
                self.wait_keyboard(s, window, "the exit window", program)
                for target in (FRIEND_NAME, NAME, EMAIL, FRIEND_EMAIL):
                    # Entered by Tab, a box has its text selected: typing replaces it.
                    s.keys_no_focus(*moves(at, target))
                    s.type_no_focus(FORM[target])
                    at = target
                s.keys_no_focus("alt+n")
                self.assert_form_sent(s, program)

    def test_update_reminder(self):
        s = self.session()
        s.seed_settings(settings_days(-20))
        program = s.start()
        box = s.wait_window(program, MESSAGE_TITLE)
        self.assert_in_front_with_the_keyboard(s, box, program)
        s.keys_no_focus("space")  # Yes, the default answer, has the focus
        self.assertEqual(s.wait_opened(1), [DOWNLOAD_PAGE.encode()])
        entry = s.wait_window(program, ENTRY_TITLE)
        self.assertEqual(s.titles(program), [ENTRY_TITLE])
        self.assert_entry_takes_a_name(s, program, entry)

    def test_already_running_message(self):
        # The first instance's exit window stays on top: the box of the second must still lie
        # above it.
        for shown in (ENTRY_TITLE, EXIT_TITLE):
            with self.subTest(shown), self.session() as s:
                first = s.start()
                window = s.wait_window(first, ENTRY_TITLE)
                if shown == EXIT_TITLE:
                    self.escape_to_exit(s, first, window)
                else:
                    s.focus(window)  # the user works in the first instance when starting another
                second = s.start()
                box = s.wait_window(second, MESSAGE_TITLE)
                self.assert_in_front_with_the_keyboard(s, box, first, second)
                s.keys_no_focus("space")
                self.assertEqual(second.wait_exit(KEYBOARD_TIMEOUT), 0)
                # Where the keyboard goes next is the window manager's choice: the second
                # program, the only one that could say, has ended.
                self.assertEqual(s.titles(first), [shown])


class KeyboardAfterExit(DesktopChecks, harness.TestCase):
    """However the user leaves the entry or the result window, the exit window that comes up
    has the keyboard; going Back gives it to the entry window."""

    def assert_exit_window_has_the_keyboard(self, s, program, window):
        """Tab, Shift+Tab and Space, sent to whatever has the focus, end the program: only
        with the focus on the exit window's Exit button do they come back to it and press it."""
        self.wait_keyboard(s, window, "the exit window", program)
        s.keys_no_focus("Tab", "shift+Tab", "space")
        try:
            status = program.wait_exit(KEYBOARD_TIMEOUT)
        except AssertionError:
            raise AssertionError("Tab, Shift+Tab, Space did not press the exit window's Exit "
                                 "button\n" + self.desktop(s, program)) from None
        self.assertEqual(status, 0)

    def press(self, name, by_assistive_technology=False):
        """Presses the button of this name in the shown window: a mouse click, or its action."""
        def press(s, acc, program, window):
            button = acc.wait(program, f"the {name} button", window=ENTRY_TITLE,
                              role="push button", name=name)
            if by_assistive_technology:
                acc.act(button, "Press")
            else:
                # A compositing window manager (mutter 48) lets a click through to a window
                # only once it shows the window.
                s.wait_on_screen(window)
                s.click_at(*a11y.centre(button))
        return press

    # The ways that click, where a click can be aimed (not on Wayland).
    CLICKED = ("Exit button clicked", "close button of the title bar", "Back button clicked")

    def ways(self, rows):
        return [row for row in rows if self.session_class().aims_clicks or row[0] not in
                self.CLICKED]

    def ways_to_leave(self):
        """(way, how often, leave): a close by the window manager races the program's handing
        over of the keyboard (under xfwm4 the exit window then looked active while the keys
        went nowhere, in some of the tries only), so those are tried more than once."""
        return self.ways([
            ("Escape", 1, lambda s, acc, program, window: s.keys(window, "Escape")),
            ("Exit button clicked", 1, self.press("Exit")),
            ("File menu, Exit", 1, lambda s, acc, program, window: s.keys(window, "alt+f", "x")),
            ("Alt+F4", 3, lambda s, acc, program, window: s.keys(window, "alt+F4")),
            ("close button of the title bar", 3,
             lambda s, acc, program, window: s.click_close_button(window)),
            ("Exit pressed by an assistive technology", 1, self.press("Exit", True)),
        ])

    def leave(self, ways, from_result):
        for way, tries, leave in ways:
            for attempt in range(1, tries + 1):
                with self.subTest(way, attempt=attempt), self.session() as s:
                    acc = a11y.Accessibility(self, s)
                    program = s.start()
                    window = s.wait_window(program, ENTRY_TITLE)
                    if from_result:
                        window = self.reading(s, program, window)
                    leave(s, acc, program, window)
                    window = self.exit_window(s, program)
                    self.assert_exit_window_has_the_keyboard(s, program, window)

    def test_leaving_the_entry_window(self):
        self.leave([("Enter in the name box", 1, lambda s, acc, program, window:
                     s.keys(window, "Return"))] + self.ways_to_leave(), from_result=False)

    def test_leaving_the_result_window(self):
        self.leave(self.ways_to_leave(), from_result=True)

    def test_back_from_the_result_window(self):
        for way, back in self.ways([
            ("Back button clicked", self.press("Back")),
            ("Alt+B", lambda s, acc, program, window: s.keys(window, "alt+b")),
            ("File menu, Back", lambda s, acc, program, window: s.keys(window, "alt+f", "b")),
        ]):
            with self.subTest(way), self.session() as s:
                acc = a11y.Accessibility(self, s)
                program = s.start()
                entry = s.wait_window(program, ENTRY_TITLE)
                result = self.reading(s, program, entry)
                back(s, acc, program, result)
                s.wait_window(program, ENTRY_TITLE, other_than=(result,))
                s.wait_titles(program, [ENTRY_TITLE])
                self.wait_keyboard(s, entry, "the entry window", program)
                s.keys_no_focus("Escape")  # clicks Exit wherever the entry window's focus is
                self.exit_window(s, program)


class EntryPosition(harness.TestCase):
    """A reading and Back bring the entry window back where the user left it; the result
    window opens in the middle of the screen."""

    # Qt centres a window before it is mapped, guessing the frame the window manager will put
    # around it: with no other window visible it takes 10 pixels at the left and 40 at the top,
    # which puts the frame's middle up to some 50 pixels above the screen's.
    CENTRE_TOLERANCE = 64

    def settled_geometry(self, s, window):
        """The window's frame geometry once two looks in a row agree."""
        previous = [None]

        def steady():
            now = s.geometry(window)
            same = now == previous[0]
            previous[0] = now
            return now if same else None
        return wait_until(steady, f"window {window} to stop moving")

    def assert_centred(self, geometry):
        x, y, width, height = geometry
        for axis, middle, screen in (("x", x + width / 2, harness.SCREEN[0]),
                                     ("y", y + height / 2, harness.SCREEN[1])):
            self.assertLessEqual(abs(middle - screen / 2), self.CENTRE_TOLERANCE,
                                 f"the result window at {geometry} is not centred in {axis}")

    def test_back_returns_to_where_the_window_was_moved(self):
        s = self.session()
        program = s.start()
        entry = s.wait_window(program, ENTRY_TITLE)
        opened_at = self.settled_geometry(s, entry)
        s.move(entry, 40, 60)
        moved = wait_until(lambda: self.settled_geometry(s, entry) != opened_at
                           and self.settled_geometry(s, entry), "the window manager to move it")

        result = self.reading(s, program, entry)
        self.assert_centred(self.settled_geometry(s, result))

        s.keys(result, "alt+b")
        s.wait_window(program, ENTRY_TITLE, other_than=(result,))
        back = self.settled_geometry(s, entry)
        self.assertLessEqual(abs(back[0] - moved[0]), 2, f"moved to {moved}, back at {back}")
        self.assertLessEqual(abs(back[1] - moved[1]), 2, f"moved to {moved}, back at {back}")


class NameFilter(harness.TestCase):
    """A paste from the real clipboard is a key like any other in the name box: refused with a
    message, and the box keeps what it had. (The widget tests refuse every Ctrl+letter key; here
    the clipboard holds digits that a paste would bring in.)"""

    def test_paste_is_refused(self):
        s = self.session()
        acc = a11y.Accessibility(self, s)
        program = s.start()
        entry = s.wait_window(program, ENTRY_TITLE)
        s.set_clipboard("123")
        s.type(entry, "ann")
        name_box = acc.wait(program, "the name box", window=ENTRY_TITLE, role="text", name="Name")
        wait_until(lambda: acc.text(name_box) == "ANN", "the name box to hold ANN")
        s.keys(entry, "ctrl+v")
        s.keys(s.wait_window(program, MESSAGE_TITLE, KEYBOARD_TIMEOUT), "Return")
        s.wait_titles(program, [ENTRY_TITLE])
        # One more letter: after a paste it would follow the digits.
        s.type(entry, "b")
        wait_until(lambda: acc.text(name_box) != "ANN", "the letter to arrive")
        self.assertEqual(acc.text(name_box), "ANNB")


class LinkActions(harness.TestCase):
    """The labels that work as links are links to an assistive technology too: they say so,
    and their action opens the page a click opens."""

    # The action names under which AT-SPI clients look for "follow this link".
    FOLLOW = ("press", "click", "jump", "activate", "open")

    def follow(self, s, acc, program, label, page):
        role = label["role"]
        self.assertTrue(role == "link" or "link" in label["description"].lower(),
                        f"{label['name'][:40]!r} is a {role!r}, described as "
                        f"{label['description']!r}: nothing says it is a link")
        actions = [a for a in label["actions"] if a.lower() in self.FOLLOW]
        self.assertTrue(actions, f"{label['name'][:40]!r} offers no action to follow it, only "
                                 f"{label['actions']}")
        before = len(s.opened())
        acc.act(label, actions[0])
        self.assertEqual(s.wait_opened(before + 1)[before:], [page.encode()])

    def label(self, acc, program, text):
        return acc.wait(program, f"the label {text!r}", name=text)

    def front_offer(self, acc, program):
        """The offer in front, where both lie one over the other: the one a click reaches.

        Qt lists a widget's children bottom to top, so the front one comes last. (Asking for the
        accessible at the offers' place would not do: Qt 6.4 answers with the one behind.)"""
        offers = [node for node in acc.find(program)
                  if any(node["name"].startswith(text) for text in OFFER_PAGES)]
        if not offers:
            raise AssertionError("no offer on screen\n" + acc.describe(program))
        front = offers[-1]
        return front, next(page for text, page in OFFER_PAGES.items()
                           if front["name"].startswith(text))

    def test_every_window(self):
        def about_window(s, program, entry):
            s.keys(entry, "alt+h", "a")
            s.wait_window(program, ENTRY_TITLE, other_than=(entry,))  # the about window's title

        # (window, the way there, its labels and their pages, whether it shows the offers)
        for window, way, labels, offers in [
            ("entry", lambda s, program, entry: None, [(PROMOTION, HOME_PAGE)], True),
            ("result", self.reading, [(PROMOTION, HOME_PAGE)], True),
            ("exit", self.escape_to_exit, [("Click Here To Visit Orrim Softwares", SOFTWARES_PAGE)],
             False),
            ("about", about_window, [("Click here to visit " + SITE, HOME_PAGE),
                                     ("Click here for more details", FULLY_BRANDED_PAGE)], False),
        ]:
            with self.subTest(window), self.session() as s:
                acc = a11y.Accessibility(self, s)
                program = s.start()
                way(s, program, s.wait_window(program, ENTRY_TITLE))
                for text, page in labels:
                    with self.subTest(text):
                        self.follow(s, acc, program, self.label(acc, program, text), page)
                if offers:
                    offer, page = self.front_offer(acc, program)
                    with self.subTest("offer in front: " + offer["name"][:30]):
                        self.follow(s, acc, program, offer, page)


if __name__ == "__main__":
    harness.main()
