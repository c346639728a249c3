# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""The program heard through Debian's Orca screen reader, as a blind user meets it: real keys go
wherever the keyboard is, and what Orca says is read from Orca's own debug log.

Each walk is a table: the keys pressed, then texts that Orca must say after them, in that order
(each a part of what it says: a window is its title and role, then its texts, then the control
that has the keyboard)."""

import subprocess

import a11y
import harness
import screenreader

# What is said as a window opens follows its activation, which the window manager makes.
# CTest: LABELS screenreader DESKTOP Hearing WAYLAND Hearing

MAIN = harness.ENTRY_TITLE + " frame"  # the entry and the result window
EXIT = harness.EXIT_TITLE + " frame"
ABOUT = harness.ENTRY_TITLE + " dialog"
DESCRIPTION = "Skyrand describes the placement of the asteroid Eris"
PRODUCTS = "If you have enjoyed this software"

# The entry window's controls in tab order, each as Orca announces it when it gets the focus.
ENTRY_WALK = [
    ("Tab", "Date combo box", "1."),
    ("Tab", "Month combo box", "January."),
    ("Tab", "Year combo box", "1900."),
    ("Tab", "Get My Eris Astrology Sign push button"),
    ("Tab", "Exit push button"),
    ("Tab", "Name text"),
    ("shift+Tab", "Exit push button"),
    ("Tab", "Name text"),
]

# The exit window's, from its Exit button on.
EXIT_WALK = [
    ("Tab", "Click Here To Visit www.orrimsoftwares.com Now check box not checked"),
    ("Tab", "Your Name text"),
    ("Tab", "Refer A Friend Now push button"),
    ("Tab", "Your Email Address text"),
    ("Tab", "Friend's Email Address text"),
    ("Tab", "Friend's Name text"),
    ("Tab", "Exit push button"),
    ("shift+Tab", "Friend's Name text"),
]

# A list from the keyboard, closed: its heading, role and chosen item on Tab, then each arrow
# key's new item. The last text of each row must be said once, not twice.
LIST_WALK = [
    ("Tab Tab", "Month combo box", "January"),
    ("Down", "February"),
    ("Down", "March"),
    ("Up", "February"),
    ("Tab", "Year combo box", "1900"),
]

class Hearing(harness.TestCase):
    def listen(self, settings=None):
        """A session with Orca on it and the program started; returns (session, program, Orca)
        once Orca has announced the entry window (or, with a due reminder, its question)."""
        s = self.session()
        if settings:
            s.seed_settings(settings)
        self.accessibility = a11y.Accessibility(self, s)
        orca = screenreader.ScreenReader(s, self.accessibility)
        program = s.start()
        # Keys go where the X focus is: to the first window once the window manager gives it
        # the keyboard, which a window manager may do a little after the program thinks so.
        window = s.wait_window(program, harness.MESSAGE_TITLE if settings else harness.ENTRY_TITLE)
        harness.wait_until(lambda: s.input_focus() == window, "the first window to get the "
                           "keyboard", describe=lambda: s.describe(program))
        return s, program, orca

    def walk(self, s, orca, rows, once=False):
        """Presses each row's keys where the keyboard is, and waits for what Orca must say;
        once: each row's last text is said once, from its keys until the next row's texts."""
        heard = []
        for keys, *said in rows:
            if keys:
                s.keys_no_focus(*keys.split())
            heard.append(" | ".join(orca.hear(*said)))
        for (keys, *said), row, after in zip(rows, heard, heard[1:] + [""]):
            if once:
                self.assertEqual((row + after).count(orca.says(said[-1])), 1,
                                 f"after {keys!r}, {said[-1]!r} in: {row} / {after}")

    def test_entry_window_and_its_controls(self):
        s, program, orca = self.listen()
        orca.hear(MAIN, DESCRIPTION, "Name text")
        self.walk(s, orca, ENTRY_WALK)
        # Screen readers name the program by its accessible application name, which Orca lists.
        listed = subprocess.run([harness.tool("orca"), "--list-apps"], env=orca.env,
                                capture_output=True, timeout=harness.TIMEOUT).stdout.decode()
        self.assertIn("Skyrand", listed.split())
        self.assertNotIn("skyrand", listed.split())

    def test_lists(self):
        s, program, orca = self.listen()
        orca.hear(MAIN, "Name text")
        self.walk(s, orca, LIST_WALK, once=True)

    def test_reading_says_the_sign_then_its_meaning(self):
        s, program, orca = self.listen()
        orca.hear(MAIN, "Name text")
        s.keys_no_focus("A", "n", "n")
        self.walk(s, orca, [
            # 1900 has Eris in Pisces.
            ("Tab Tab Tab Tab space", MAIN, "Xena/Eris in your Chart is Placed in Pisces",
             "You will be very idealistic by nature", "Exit push button"),
            ("Tab", "Back push button"),
            ("Tab", "Exit push button"),
            # The entry window comes back with the keyboard where it was left.
            ("alt+b", MAIN, DESCRIPTION, "Get My Eris Astrology Sign push button"),
        ])

    def test_exit_window_after_escape_and_its_form(self):
        s, program, orca = self.listen()
        orca.hear(MAIN, "Name text")
        # Top to bottom: the right column's heading is level with the window's own caption; the
        # plea on the left, one of four, always names the forum.
        self.walk(s, orca, [("Escape", EXIT, "Download Orrim Softwares", PRODUCTS, "OrrimBoard",
                             "Exit push button")] + EXIT_WALK)

    def test_about_window(self):
        s, program, orca = self.listen()
        orca.hear(MAIN, "Name text")
        self.walk(s, orca, [
            ("alt+h a", ABOUT, "Skyrand describes the placement", "OK push button"),
            ("Return", MAIN, "Name text"),
        ])

    def test_messages(self):
        # Each message as it opens: its text, then its button.
        s, program, orca = self.listen(harness.settings_days(-30))
        self.walk(s, orca, [
            ("", "There maybe an update to this software available", "Yes push button"),
            ("n", MAIN, "Name text"),
            ("Tab Tab Tab Tab space", "Please Enter Your Name", "OK push button"),
            ("Return", "Name text"),
            ("1", "Please Enter only Letters", "OK push button"),
            ("Return", "Name text"),
            ("Escape", EXIT),
            ("Tab Tab Tab Tab", "Your Email Address text"),
            ("space", "Email Address Cannot Contain Space", "OK push button"),
            ("Return", "Your Email Address text"),
            ("alt+n", "Please Enter Proper Email Address", "OK push button"),
            ("Return", "Your Email Address text"),
            # Both addresses good, the name still the placeholder.
            ("a at b period c Tab d at e period f alt+n", "Please Enter Your Name",
             "OK push button"),
        ])
        second = s.start()
        orca.hear("Application is already running", "OK push button")
        s.keys_no_focus("Return")
        self.assertEqual(second.wait_exit(), 0)


if __name__ == "__main__":
    harness.main()
