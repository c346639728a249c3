# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""What a blind user hears: Debian's Orca screen reader, running on one harness session.

Orca runs on the session's accessibility bus (a11y.Accessibility) with its debug log in the
session's logs folder. Every utterance Orca hands its speech synthesiser is written there as
"SPEECH OUTPUT: '...'", whether a synthesiser answers or not (none runs here: Orca fails to start
speech-dispatcher and goes on); that log is all the tests learn from.
"""

import os
import pty
import re
import subprocess
import threading
import time
import tty

import harness

# An entry of the log: a line, and the lines indented under it that go on with its text.
_ENTRY = re.compile(r"\n(?! {18})")
# The utterance, then what Orca adds of the voice: " voice=NAME" and the voice's settings
# (Orca 48 puts a blank before them).
_SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?(?: ?\{.*\})?$", re.S)
# What the tests expect to hear, as Orca 43 says it, and how Orca 48 says the same: AT-SPI 2.56
# calls a push button "button", and Orca 48 names a window that it meets as an ancestor of the
# focus by its title alone (its role follows only when the window's activation came first).
_ORCA_48_SAYS = ((re.compile(r" push button\b"), " button"), (re.compile(r" frame$"), ""))
# What Orca logs as it starts to listen for the desktop's events: Orca 43, then Orca 48.
_LISTENING = re.compile(r"ORCA: Starting (registry|Atspi main event loop)")


class ScreenReader:
    """Orca, started after the Accessibility and before the program (Qt looks for the
    accessibility bus once, at start-up)."""

    def __init__(self, session, accessibility):
        root = os.path.join(session.root, "orca")
        os.mkdir(root, 0o700)
        # Orca refuses to start while any other Orca of the same user runs, as it finds them
        # with pgrep; each test's Orca has a desktop and buses of its own, so it is shown none,
        # and tests listen side by side, whatever else runs on the machine.
        alone = os.path.join(root, "bin")
        os.mkdir(alone)
        with open(os.path.join(alone, "pgrep"), "w") as f:
            f.write("#!/bin/sh\nexit 1\n")
        os.chmod(os.path.join(alone, "pgrep"), 0o755)
        self.env = dict(accessibility.env, HOME=root,
                        PATH=alone + os.pathsep + accessibility.env["PATH"])
        if "DISPLAY" not in self.env:
            # Orca 43 keeps its modifier key in the X keyboard map, and will not start without
            # an X display; on a GNOME Wayland desktop it finds Xwayland's. Here it gets an X
            # server of its own, which nothing else uses: the program stays a Wayland client.
            xvfb, self.env["DISPLAY"] = harness.start_xvfb(os.path.join(session.logs,
                                                                        "orca-xvfb.log"))
            accessibility.processes.append(xvfb)
        version = subprocess.run([harness.tool("orca"), "--version"], env=self.env,
                                 capture_output=True, timeout=harness.TIMEOUT).stdout.decode()
        self.version = int(re.search(r"(\d+)\.", version).group(1))
        self.log = os.path.join(session.logs, "orca-debug.log")
        # Orca writes its debug file through a buffered Python file that it never flushes: into a
        # pipe or a plain file the last kilobytes would come only as Orca ends. A terminal is
        # written line by line, so Orca gets one, and a thread copies it into the log.
        terminal, orca_side = pty.openpty()
        tty.setraw(orca_side)
        threading.Thread(target=self._copy, args=(terminal,), daemon=True).start()
        with open(os.path.join(session.logs, "orca.log"), "wb") as out:
            self.process = subprocess.Popen(
                [harness.tool("orca"), "--debug-file", f"/dev/fd/{orca_side}"], env=self.env,
                pass_fds=[orca_side], stdin=subprocess.DEVNULL, stdout=out,
                stderr=subprocess.STDOUT, preexec_fn=harness._die_with_harness)
        os.close(orca_side)
        accessibility.processes.append(self.process)
        self._read = 0
        # Orca listens for the desktop's events from here on; what it said before is its own.
        harness.wait_until(lambda: _LISTENING.search(self._text()) or
                           self.process.poll() is not None, "Orca to start",
                           describe=lambda: self._text()[-4000:])
        if self.process.poll() is not None:
            raise AssertionError("Orca ended at start; see " + session.logs)
        self.heard()

    def _copy(self, terminal):
        with open(self.log, "ab") as log:
            while True:
                try:
                    chunk = os.read(terminal, 65536)
                except OSError:  # Orca is gone, and the terminal with it
                    chunk = b""
                if not chunk:
                    os.close(terminal)
                    return
                log.write(chunk)
                log.flush()

    def _text(self):
        try:
            with open(self.log, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def _last_seen(self):
        """The last events and keys Orca processed, for a failure message."""
        seen = re.findall(r"vvvvv (?:PROCESS|START) (.*?) vvvvv", self._text())
        return "\n".join(seen[-15:])

    def heard(self):
        """What Orca said since the last call, utterance by utterance, each blank or line break
        run as one blank."""
        said = [" ".join(m.group(1).split())
                for m in map(_SPOKEN.search, _ENTRY.split(self._text())) if m]
        new, self._read = said[self._read:], len(said)
        return new

    def says(self, text):
        """The text as this Orca says it, from the text as the tests write it (Orca 43's)."""
        for pattern, words in _ORCA_48_SAYS if self.version >= 48 else ():
            text = pattern.sub(words, text)
        return text

    def hear(self, *expected, timeout=harness.TIMEOUT):
        """Waits until Orca has said each expected text, in this order, from now on; returns all
        it said meanwhile. Orca says each thing once, when its event comes: waiting for the text
        is waiting for Orca, never for a time."""
        said = []
        deadline = time.monotonic() + timeout
        expected = [self.says(text) for text in expected]

        def matched():
            heard, at = " | ".join(said), 0
            for text in expected:
                at = heard.find(text, at)
                if at < 0:
                    return False
                at += len(text)
            return True
        while not matched():
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise AssertionError(f"Orca did not say {list(expected)} in this order; it said "
                                     f"{said}" + (" and ended" if self.process.poll() else "") +
                                     "; the last it saw:\n" + self._last_seen())
            time.sleep(0.05)
            said += self.heard()
        return said
