// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/settingsencoding.h"

namespace modHelp {

namespace {

constexpr int kShift = 85;

QString shifted(const QString &text, int by)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int code = c.unicode();
        if (code > 255)
            continue;
        const int moved = code + by;
        if (moved >= 0 && moved <= 255)
            result.append(QChar(moved));
    }
    return result;
}

} // namespace

QString EncodeSetting(const QString &text)
{
    return shifted(text, kShift);
}

QString DecodeSetting(const QString &text)
{
    return shifted(text, -kShift);
}

} // namespace modHelp
