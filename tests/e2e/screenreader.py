# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""What a blind user hears: Debian's Orca screen reader, running on one harness session.

Orca is started on the session's accessibility bus (a11y.Accessibility), before the program, with
its debug log in the session's logs folder. Every utterance Orca gives its speech synthesiser is
written there as a line "SPEECH OUTPUT: '...'", whether a synthesiser answers or not; that log is
all the tests learn from. No synthesiser runs here: Orca tries to start speech-dispatcher, fails,
and goes on logging what it would have said.
"""

import os
import pty
import re
import subprocess
import threading
import time
import tty

import harness
from harness import tool

# The utterance, then what Orca adds of the voice: " voice=NAME" and the voice's settings.
_SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?(?:\{.*\})?$", re.S)
# Orca's own preferences: speak, echo no typed key or word (a key's name would stand between
# what the program says), and say nothing of its own at start.
_SETTINGS = """{
    "general": {"enableSpeech": true, "enableKeyEcho": false, "enableEchoByCharacter": false,
                "enableEchoByWord": false, "enableTutorialMessages": false,
                "enableBraille": false, "enableSound": false, "speakNumbersAsDigits": false,
                "verbalizePunctuationStyle": 3, "enableMnemonicSpeaking": false,
                "messagesAreDetailed": false, "startingProfile": ["Default", "default"],
                "activeProfile": ["Default", "default"]},
    "keybindings": {}, "profiles": {"default": {"profile": ["Default", "default"]}},
    "pronunciations": {}
}
"""


class ScreenReader:
    """Orca on the session's accessibility bus; heard() returns what it said since the last ask.

    Start it after the Accessibility and before the program: Qt looks for the accessibility bus
    once, at start-up."""

    def __init__(self, session, accessibility):
        self.session = session
        root = os.path.join(session.root, "orca")
        prefs = os.path.join(root, "prefs")
        os.makedirs(prefs, 0o700)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            f.write(_SETTINGS)
        self.log = os.path.join(session.logs, "orca-debug.log")
        # Orca writes its debug file through Python's buffered file, never flushed: a pipe or a
        # plain file would hold the last few kilobytes back until Orca ends. A terminal is
        # written line by line, so Orca gets one, and a thread copies what comes into the log.
        master, slave = pty.openpty()
        tty.setraw(slave)
        self._copier = threading.Thread(target=self._copy, args=(master,), daemon=True)
        self._copier.start()
        # What Orca and its own commands run with: the session's display and accessibility bus.
        self.env = {"DISPLAY": session.display, "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
                    "HOME": root, "XDG_RUNTIME_DIR": accessibility.runtime,
                    "XDG_CONFIG_HOME": os.path.join(root, "config"),
                    "XDG_DATA_HOME": os.path.join(root, "data"),
                    "XDG_CACHE_HOME": os.path.join(root, "cache"),
                    "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8", "GSETTINGS_BACKEND": "memory",
                    "DBUS_SESSION_BUS_ADDRESS": accessibility.address}
        with open(os.path.join(session.logs, "orca.log"), "wb") as out:
            self.process = subprocess.Popen(
                [tool("orca"), "--user-prefs", prefs, "--debug-file", f"/dev/fd/{slave}"],
                env=self.env, pass_fds=[slave], stdin=subprocess.DEVNULL, stdout=out,
                stderr=subprocess.STDOUT,
                preexec_fn=harness._die_with_harness)
        os.close(slave)
        accessibility.processes.append(self.process)
        self._read = 0
        # Orca is ready once it listens for the desktop's events; what it says before is its own.
        harness.wait_until(lambda: self._log_has("ORCA: Starting registry") or self._ended(),
                           "Orca to start", describe=self._tail)
        if self.process.poll() is not None:
            with open(os.path.join(self.session.logs, "orca.log"), "rb") as f:
                said = f.read()[-2000:].decode("utf-8", "replace")
            raise AssertionError("Orca ended at start:\n" + said + self._tail())
        self.heard()

    def _copy(self, master):
        with open(self.log, "ab") as log:
            while True:
                try:
                    chunk = os.read(master, 65536)
                except OSError:  # Orca ended: the terminal is gone
                    chunk = b""
                if not chunk:
                    os.close(master)
                    return
                log.write(chunk)
                log.flush()

    def _ended(self):
        return self.process.poll() is not None

    def _text(self):
        try:
            with open(self.log, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except FileNotFoundError:
            return ""

    def _log_has(self, marker):
        return marker in self._text()

    def _tail(self):
        return self._text()[-4000:]

    def _utterances(self):
        # An utterance of several lines goes on in lines indented under its first.
        entries = re.split(r"\n(?! {18})", self._text())
        return [m.group(1) for m in map(_SPOKEN.search, entries) if m]

    def heard(self):
        """What Orca said since the last call, utterance by utterance."""
        said = self._utterances()
        new, self._read = said[self._read:], len(said)
        return new

    def hear(self, *expected, timeout=harness.TIMEOUT):
        """Waits until Orca has said each expected text, in this order, in what it says from now
        on; returns all it said meanwhile, utterance by utterance. Blanks and line breaks count
        as one blank.

        Orca says each thing once, when its event comes: waiting for the text is waiting for
        Orca, never for a time."""
        said = []
        deadline = time.monotonic() + timeout

        def matched():
            heard, at = " | ".join(said), 0
            for text in expected:
                at = heard.find(text, at)
                if at < 0:
                    return False
                at += len(text)
            return True
        while True:
            said += [" ".join(utterance.split()) for utterance in self.heard()]
            if matched():
                return said
            if time.monotonic() > deadline or self._ended():
                raise AssertionError(f"Orca did not say {list(expected)} in this order; it "
                                     f"said {said}" + ("" if not self._ended() else
                                                       "\nOrca ended:\n" + self._tail()))
            time.sleep(0.05)
