// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

// What the name box lets through: letters (shown as capitals), blanks, Backspace and Enter. Every
// other character is refused with a message.
namespace namekey {

enum class Action {
    Pass, // no typed character, or one that goes through as it is: the box handles the key
    Refuse, // discard the key and tell the user
    Insert, // insert `text` instead of the key's own
};

struct Decision
{
    Action action;
    QString text;
};

// The rule for a key press, from the text it would insert. An empty text (arrows, Home, Shift) is
// no typed character. Control codes are characters like any other: Ctrl+V types 22, not a paste.
Decision decide(QStringView keyText);

} // namespace namekey
