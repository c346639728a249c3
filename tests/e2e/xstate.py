# SPDX-FileCopyrightText: 2026 Orrim Softwares
# SPDX-License-Identifier: MIT
"""What the desktop tests need of the X display beyond the harness: typing and clicking without
activating anything first, and the clipboard."""

import os
import subprocess

import harness
from harness import tool


def _env(session):
    return dict(os.environ, DISPLAY=session.display, LANG="C.UTF-8", LC_ALL="C.UTF-8")


def _run(session, args, **options):
    result = subprocess.run(args, env=_env(session), capture_output=True,
                            timeout=harness.TIMEOUT, **options)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed: {result.stderr.decode()}")
    return result.stdout.decode("utf-8", "replace")


def type_no_focus(session, text):
    """Types text wherever the keyboard focus is now, activating nothing."""
    _run(session, [tool("xdotool"), "type", "--delay", "60", text])


def click_at(session, x, y):
    """A left click at this point of the screen, as the mouse gives it."""
    _run(session, [tool("xdotool"), "mousemove", "--sync", str(x), str(y), "click", "1"])


def move(session, window, x, y):
    """Asks the window manager to move the window, as a drag of its title bar would."""
    _run(session, [tool("xdotool"), "windowmove", window, str(x), str(y)])


def set_clipboard(session, text):
    """Puts text on the clipboard, owned by xclip, which serves it until the display ends."""
    subprocess.run([tool("xclip"), "-selection", "clipboard", "-in"], input=text.encode(),
                   env=_env(session), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=harness.TIMEOUT, check=True)
    def holds_text():
        # xclip serves the clipboard from a process of its own, which may not own it yet.
        result = subprocess.run([tool("xclip"), "-selection", "clipboard", "-out"],
                                env=_env(session), capture_output=True, timeout=harness.TIMEOUT)
        return result.returncode == 0 and result.stdout.decode("utf-8", "replace") == text
    harness.wait_until(holds_text, "the clipboard to hold the text")


def topmost(session):
    """The managed window at the top of the stacking order, or None."""
    stacking = session.stacking()
    return stacking[-1] if stacking else None
