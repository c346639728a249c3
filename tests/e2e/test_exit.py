# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Web links and the exit flow of the real program, under a real window manager."""

import harness
from harness import ENTRY_TITLE, EXIT_TITLE, HELP_PAGE, REFER_PAGE, wait_until


class OnlineHelp(harness.TestCase):
    def test_help_menu_hands_the_address_to_xdg_open_byte_for_byte(self):
        s = self.session()
        program = s.start()
        entry = s.wait_window(program, ENTRY_TITLE)
        s.keys(entry, "alt+h", "o")
        self.assertEqual(s.wait_opened(1), [HELP_PAGE.encode()])
        self.assertEqual(s.windows(program), {entry: ENTRY_TITLE})

    def test_without_xdg_open_the_program_goes_on_and_shows_nothing(self):
        s = self.session(xdg_open=None)
        program = s.start()
        entry = s.wait_window(program, ENTRY_TITLE)
        s.keys(entry, "alt+h", "o")
        # Escape is handled after the menu entry: once the exit window is up, the failed
        # launch is behind us, and a message or a blocking wait would have stopped it.
        s.keys(entry, "Escape")
        s.wait_titles(program, [EXIT_TITLE])


class ExitFlow(harness.TestCase):
    def setUp(self):
        super().setUp()
        self.s = self.session()
        self.program = self.s.start()
        self.entry = self.s.wait_window(self.program, ENTRY_TITLE)

    def only_exit_window_above(self):
        """Waits until the exit window is the one visible window and stays on top."""
        self.s.wait_titles(self.program, [EXIT_TITLE])
        window = self.s.wait_window(self.program, EXIT_TITLE)
        wait_until(lambda: "_NET_WM_STATE_ABOVE" in self.s.net_wm_state(window),
                   "the exit window to be kept above the others")
        return window

    def assert_ends_cleanly(self):
        self.assertEqual(self.program.wait_exit(), 0)
        self.assertEqual(self.s.visible_anywhere("Skyrand"), [])

    def test_escape_on_entry_window_then_exit_button(self):
        self.s.keys(self.entry, "Escape")
        window = self.only_exit_window_above()
        self.s.keys(window, "alt+x")
        self.assert_ends_cleanly()

    def test_reading_then_escape_then_close_button_of_the_title_bar(self):
        self.s.type(self.entry, "Ann")
        self.s.keys(self.entry, "Tab", "Tab", "Tab", "Tab", "space")  # to the Get-sign button
        result = self.s.wait_window(self.program, ENTRY_TITLE, other_than=(self.entry,))
        self.s.wait_titles(self.program, [ENTRY_TITLE])  # the entry window is hidden
        self.s.keys(result, "Escape")
        window = self.only_exit_window_above()
        self.s.click_close_button(window)
        self.assert_ends_cleanly()

    def test_back_then_escape_shows_the_exit_window_on_top_again(self):
        # Back closes the result window, which shows the exit window, and hides it again at
        # once: the next exit shows it a second time, and it must still stay on top.
        self.s.type(self.entry, "Ann")
        self.s.keys(self.entry, "Tab", "Tab", "Tab", "Tab", "space")
        result = self.s.wait_window(self.program, ENTRY_TITLE, other_than=(self.entry,))
        self.s.keys(result, "alt+b")
        self.s.wait_window(self.program, ENTRY_TITLE, other_than=(result,))
        self.assertEqual(self.s.windows(self.program), {self.entry: ENTRY_TITLE})
        self.s.keys(self.entry, "Escape")
        window = self.only_exit_window_above()
        self.s.keys(window, "alt+x")
        self.assert_ends_cleanly()

    def test_refer_a_friend_sends_each_value_percent_encoded_then_alt_f4(self):
        self.s.keys(self.entry, "Escape")
        window = self.only_exit_window_above()
        # Tab order: Exit, the home page button, your name, the submit button, your e-mail,
        # your friend's e-mail, your friend's name.
        self.s.keys(window, "Tab", "Tab")
        self.s.type(window, "Ann & Bob")
        self.s.keys(window, "Tab", "Tab")
        self.s.type(window, "ann@example.com")
        self.s.keys(window, "Tab")
        self.s.type(window, "zoe@example.org")
        self.s.keys(window, "Tab")
        self.s.type(window, "Zo\u00eb+#=%/?")
        self.s.keys(window, "alt+n")
        self.assertEqual(self.s.wait_opened(1), [(
            REFER_PAGE + "&taf1=Ann%20%26%20Bob&taf2=ann%40example.com"
            "&taf3=Your%20Message%0D%0A&taf4=Zo%C3%AB%2B%23%3D%25%2F%3F"
            "&taf5=zoe%40example.org&taf6=https%3A%2F%2Fwww.orrimsoftwares.com%2Fskyrand%2F"
        ).encode()])
        self.assertEqual(self.s.titles(self.program), [EXIT_TITLE])
        self.s.keys(window, "alt+F4")
        self.assert_ends_cleanly()


if __name__ == "__main__":
    harness.main()
