# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""Start-up of the real program: the entry window, the single-instance guard, the reminder."""

import os

import harness
from harness import ENTRY_TITLE, MESSAGE_TITLE, settings_bytes, settings_days, stored_date, today


class EntryWindow(harness.TestCase):
    def test_first_start_shows_entry_window_asks_nothing_and_stores_today(self):
        s = self.session()
        before = today()
        # The reminder runs before the entry window is shown: had it asked, its box would
        # have come first and the entry window would still be waiting for it.
        self.start_usable(s)
        # What the program writes is exactly what the other tests seed.
        self.assertIn(s.settings(), {settings_bytes(before), settings_bytes(today())})


class SingleInstance(harness.TestCase):
    def test_second_start_shows_only_the_message_and_leaves_the_first_alone(self):
        s = self.session()
        self.assert_second_start_refused(s, self.start_usable(s))

    def test_start_after_a_killed_instance_takes_over_its_lock(self):
        s = self.session()
        self.start_usable(s).kill()
        self.assertTrue(os.path.exists(os.path.join(s.runtime, "skyrand.lock")))
        self.start_usable(s)


class UpdateReminder(harness.TestCase):
    def seeded_session(self, days_from_today):
        s = self.session()
        self.seeded = settings_days(days_from_today)
        s.seed_settings(self.seeded)
        return s

    def test_a_date_15_days_away_asks_and_stores_today(self):
        for days, answer, pages in [
            (-15, "Return", [harness.DOWNLOAD_PAGE.encode()]),  # Yes: the download page
            (-15, "alt+n", []),
            (15, "alt+n", []),  # a date ahead asks too
        ]:
            with self.subTest(days=days, answer=answer), self.seeded_session(days) as s:
                program = s.start()
                box = s.wait_window(program, MESSAGE_TITLE)
                self.assertEqual(s.titles(program), [MESSAGE_TITLE], "the question comes first")
                s.keys(box, answer)
                s.wait_window(program, ENTRY_TITLE)
                self.assertEqual(s.titles(program), [ENTRY_TITLE])
                self.assertEqual(stored_date(s.settings_file), today().isoformat())
                self.assertEqual(s.settings(), settings_bytes(today()))
                if pages:
                    s.wait_opened(len(pages))
                self.assertEqual(s.opened(), pages)

    def test_within_14_days_either_way_nothing_is_asked_or_saved(self):
        for days in (-14, 14):
            with self.subTest(days=days), self.seeded_session(days) as s:
                self.start_usable(s)
                self.assertEqual(s.settings(), self.seeded)


if __name__ == "__main__":
    harness.main()
