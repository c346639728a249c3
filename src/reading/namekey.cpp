// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/namekey.h"

namespace namekey {

namespace {

// The rule for one typed character code: the code to insert, or 0 to refuse it.
int filteredCode(int code)
{
    if (code >= 'a' && code <= 'z')
        return code - 32;
    if ((code >= 'A' && code <= 'Z') || code == '\b' || code == '\r' || code == ' ')
        return code;
    return 0;
}

} // namespace

Decision decide(QStringView keyText)
{
    if (keyText.isEmpty())
        return {Action::Pass, {}};
    // Several characters from one key (a compose sequence, a character beyond the BMP) are no
    // single letter.
    if (keyText.size() != 1)
        return {Action::Refuse, {}};
    const int code = keyText.front().unicode();
    const int filtered = filteredCode(code);
    if (filtered == 0)
        return {Action::Refuse, {}};
    if (filtered == code)
        return {Action::Pass, {}};
    return {Action::Insert, QString(QChar(filtered))};
}

} // namespace namekey
