#pragma once

// The close steps of the entry and result windows: the user never leaves from there directly, the
// exit promotion window comes up instead (created on first use) and is left as the visible one,
// with the keyboard. Back shows it only to hide it again at once: then it leaves the keyboard
// where it is, or the window that Back shows could not take it.
enum class ExitKeyboard { Take, Leave };
void ShowExitPromotion(ExitKeyboard keyboard = ExitKeyboard::Take);
