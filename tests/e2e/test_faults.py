# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Faults of the desktop and of stored data: the real program must stay usable and lose nothing."""

# Closing windows by the window manager's title bar while a message box is up:
# CTest: DESKTOP ModalFaults

import os
import random
import stat
import time

import harness
from harness import (ENTRY_TITLE, EXIT_TITLE, HELP_PAGE, MESSAGE_TITLE, settings_days,
                     stored_date, today, wait_until)


class SettingsFaults(harness.TestCase):
    def test_damaged_file_gets_todays_date_without_a_question(self):
        recent = settings_days(-20)  # would be due, if it could still be read
        for fault, content in [
            ("empty", b""),
            ("cut inside the date", recent[:-6]),
            ("cut inside a character", recent[:-2]),
        ]:
            with self.subTest(fault), self.session() as s:
                s.seed_settings(content)
                self.start_usable(s)
                self.assertEqual(stored_date(s.settings_file), today().isoformat())

    def test_readable_or_unparseable_file_is_left_as_it_is(self):
        for fault, content in [
            ("no final line break", settings_days(-5)[:-1]),
            ("unclosed section header", settings_days(-20).replace(b"]", b"")),
            ("cut inside the key", settings_days(-20)[:20]),
            ("binary garbage", random.Random(8).randbytes(4096)),
            ("zeros", bytes(512)),
        ]:
            with self.subTest(fault), self.session() as s:
                s.seed_settings(content)
                self.start_usable(s)
                self.assertEqual(s.settings(), content)

    def test_read_only_config_folder(self):
        for case, days in [("no settings file", None), ("reminder not due", -5),
                           ("reminder due: asked, but the date cannot be saved", -20)]:
            with self.subTest(case), self.session() as s:
                if days is not None:
                    s.seed_settings(settings_days(days))
                os.chmod(s.config, 0o500)
                if days == -20:
                    program = s.start()
                    s.keys(s.wait_window(program, MESSAGE_TITLE), "alt+n")
                    s.wait_window(program, ENTRY_TITLE)
                    self.assertEqual(s.titles(program), [ENTRY_TITLE])
                else:
                    self.start_usable(s)
                self.assertEqual(os.listdir(s.config), [] if days is None else ["skyrand.ini"])
                if days is not None:
                    self.assertEqual(s.settings(), settings_days(days))

    def test_missing_config_folder_is_created(self):
        s = self.session()
        os.rmdir(s.config)
        self.start_usable(s)
        self.assertEqual(stored_date(s.settings_file), today().isoformat())

    def test_something_else_in_place_of_the_file_is_kept(self):
        with self.subTest("a folder"), self.session() as s:
            os.mkdir(s.settings_file)
            with open(os.path.join(s.settings_file, "keep"), "w") as f:
                f.write("kept")
            self.start_usable(s)
            with open(os.path.join(s.settings_file, "keep"), "rb") as f:
                self.assertEqual(f.read(), b"kept")
        with self.subTest("a named pipe nobody writes to"), self.session() as s:
            os.mkfifo(s.settings_file)
            self.start_usable(s)
            self.assertTrue(stat.S_ISFIFO(os.lstat(s.settings_file).st_mode))


class EnvironmentFaults(harness.TestCase):
    def test_guard_still_refuses_a_second_start(self):
        for fault, prepare, unset in [
            ("runtime folder missing", lambda s: os.rmdir(s.runtime), ()),
            ("runtime folder read-only", lambda s: os.chmod(s.runtime, 0o500), ()),
            ("XDG_RUNTIME_DIR unset", lambda s: None, ("XDG_RUNTIME_DIR",)),
            ("HOME unset", lambda s: None, ("HOME",)),
        ]:
            with self.subTest(fault), self.session() as s:
                prepare(s)
                first = self.start_usable(s, unset=unset)
                self.assert_second_start_refused(s, first, unset=unset)
                self.assertEqual(stored_date(s.settings_file), today().isoformat())

    def test_left_over_lock_that_names_no_live_instance_is_taken_over(self):
        host = os.uname().nodename.encode()
        for fault, content in [
            ("empty", b""),
            ("garbage", b"\x00\x01\xfe"),
            ("cut short", b"4"),
            ("written under another host name", b"999999\nskyrand\nsomewhere-else\n"),
            ("process gone", b"999999\nskyrand\n" + host + b"\n"),
        ]:
            with self.subTest(fault), self.session() as s:
                lock = os.path.join(s.runtime, "skyrand.lock")
                with open(lock, "wb") as f:
                    f.write(content)
                os.utime(lock, (time.time() - 3600,) * 2)  # an hour old
                first = self.start_usable(s)
                self.assert_second_start_refused(s, first)

    def test_old_lock_of_a_running_instance_still_refuses(self):
        s = self.session()
        first = self.start_usable(s)
        os.utime(os.path.join(s.runtime, "skyrand.lock"), (time.time() - 86400,) * 2)  # a day old
        self.assert_second_start_refused(s, first)

    def test_ten_starts_at_once_exactly_one_runs(self):
        with self.subTest("no lock yet"):
            self.race(self.session())
        with self.subTest("over the lock of a killed instance"), self.session() as s:
            crashed = self.start_usable(s)
            crashed.kill()
            self.race(s)

    def race(self, s):
        programs = s.start_at_once(10)
        settled = ([ENTRY_TITLE], [MESSAGE_TITLE])
        wait_until(lambda: all(s.titles(p) in settled for p in programs),
                   "every start to show either the entry window or the message",
                   describe=lambda: "\n".join(s.describe(p) for p in programs))
        running = [p for p in programs if s.titles(p) == [ENTRY_TITLE]]
        self.assertEqual(len(running), 1)
        for program in programs:
            if program is not running[0]:
                s.keys(s.wait_window(program, MESSAGE_TITLE), "Return")
                self.assertEqual(program.wait_exit(), 0)
        self.assertEqual(s.titles(running[0]), [ENTRY_TITLE])


class BrowserFaults(harness.TestCase):
    def test_launcher_that_fails_hangs_or_is_missing_leaves_the_program_usable(self):
        # The help page goes to xdg-open byte for byte, whatever becomes of it there.
        for launcher in ("record", "fail", "hang", None):
            with self.subTest(launcher), self.session(xdg_open=launcher) as s:
                program = self.start_usable(s)
                entry = s.wait_window(program, ENTRY_TITLE)
                s.keys(entry, "alt+h", "o")
                if launcher:
                    self.assertEqual(s.wait_opened(1), [HELP_PAGE.encode()])
                # Escape is handled after the menu entry: once the exit window is up, a failed
                # launch is behind us, and a message or a blocking wait would have stopped it.
                s.keys(self.escape_to_exit(s, program, entry), "alt+x")
                self.assertEqual(program.wait_exit(), 0)


class ModalFaults(harness.TestCase):
    def test_closing_the_window_behind_a_message_box_waits_for_the_box(self):
        def entry_message(s, program, entry):
            s.type(entry, "1")  # letters only
            return entry

        def exit_window_message(s, program, entry):
            s.keys(entry, "Escape")
            window = s.wait_window(program, EXIT_TITLE)
            s.keys(window, "Tab", "Tab", "Tab", "Tab", "space")  # a space in the e-mail box
            return window

        for case, open_message, title in [
            ("entry window", entry_message, ENTRY_TITLE),
            ("exit window", exit_window_message, EXIT_TITLE),
        ]:
            with self.subTest(case), self.session() as s:
                program = self.start_usable(s)
                window = open_message(s, program, s.wait_window(program, ENTRY_TITLE))
                box = s.wait_window(program, MESSAGE_TITLE)
                s.click_close_button(window)
                s.assert_stays(program, sorted([title, MESSAGE_TITLE]))
                s.keys(box, "Return")
                s.wait_titles(program, [title])
                # Still in working order: leave the way a user would.
                if title == ENTRY_TITLE:
                    s.keys(window, "Escape")
                    window = s.wait_window(program, EXIT_TITLE)
                s.keys(window, "alt+x")
                self.assertEqual(program.wait_exit(), 0)

    def test_message_box_closed_by_the_window_manager(self):
        with self.subTest("letters-only message"), self.session() as s:
            program = self.start_usable(s)
            s.type(s.wait_window(program, ENTRY_TITLE), "1")
            s.click_close_button(s.wait_window(program, MESSAGE_TITLE))
            s.wait_titles(program, [ENTRY_TITLE])
        with self.subTest("update question: No"), self.session() as s:
            s.seed_settings(settings_days(-20))
            program = s.start()
            s.click_close_button(s.wait_window(program, MESSAGE_TITLE))
            s.wait_window(program, ENTRY_TITLE)
            self.assertEqual(stored_date(s.settings_file), today().isoformat())
            self.assertEqual(s.opened(), [])
        with self.subTest("already-running message"), self.session() as s:
            first = self.start_usable(s)
            second = s.start()
            s.click_close_button(s.wait_window(second, MESSAGE_TITLE))
            self.assertEqual(second.wait_exit(), 0)
            self.assertEqual(s.titles(first), [ENTRY_TITLE])


if __name__ == "__main__":
    harness.main()
