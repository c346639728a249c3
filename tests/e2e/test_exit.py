# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""The exit flow of the real program, under a real window manager."""

# The exit window is kept above, and closed by the window manager:
# CTest: DESKTOP ExitFlow WAYLAND ExitFlow

import harness
from harness import ENTRY_TITLE, EXIT_TITLE, refer_request


class ExitFlow(harness.TestCase):
    def setUp(self):
        super().setUp()
        self.s = self.session()
        self.program = self.s.start()
        self.entry = self.s.wait_window(self.program, ENTRY_TITLE)

    def assert_ends_cleanly(self):
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertEqual(self.s.visible_anywhere("Skyrand"), [])

    def test_escape_on_entry_window_then_exit_button(self):
        self.s.keys(self.escape_to_exit(self.s, self.program, self.entry), "alt+x")
        self.assert_ends_cleanly()

    def test_reading_then_escape_then_the_window_managers_close(self):
        result = self.reading(self.s, self.program, self.entry)
        window = self.escape_to_exit(self.s, self.program, result)
        if self.s.aims_clicks:
            self.s.click_close_button(window)
        else:  # on Wayland nothing tells where the button is: the compositor's binding
            self.s.keys(window, "alt+F4")
        self.assert_ends_cleanly()

    def test_back_then_escape_shows_the_exit_window_on_top_again(self):
        # Back closes the result window, which shows the exit window, and hides it again at
        # once: the next exit shows it a second time, and it must still stay on top.
        result = self.reading(self.s, self.program, self.entry)
        self.s.keys(result, "alt+b")
        self.s.wait_window(self.program, ENTRY_TITLE, other_than=(result,))
        self.assertEqual(self.s.windows(self.program), {self.entry: ENTRY_TITLE})
        self.s.keys(self.escape_to_exit(self.s, self.program, self.entry), "alt+x")
        self.assert_ends_cleanly()

    def test_refer_a_friend_sends_each_value_percent_encoded_then_alt_f4(self):
        window = self.escape_to_exit(self.s, self.program, self.entry)
        friend = next(name for name in ("Zo\u00eb+#=%/?", "Zoe+#=%/?") if self.s.can_type(name))
        harness.fill(self.s, window, [
            (harness.NAME, "Ann & Bob"), (harness.EMAIL, "ann@example.com"),
            (harness.FRIEND_EMAIL, "zoe@example.org"), (harness.FRIEND_NAME, friend)])
        self.s.keys(window, "alt+n")
        self.assertEqual(self.s.wait_opened(1), [refer_request(
            "Ann & Bob", "ann@example.com", friend, "zoe@example.org")])
        self.assertEqual(self.s.titles(self.program), [EXIT_TITLE])
        self.s.keys(window, "alt+F4")
        self.assert_ends_cleanly()


if __name__ == "__main__":
    harness.main()
