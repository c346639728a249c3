// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

#include <optional>

namespace modPlanetSign {

enum class Decision { Aries, Pisces, NoDecision, Failed };

// Reads a number the way the birth-date lists write them: plain decimal digits with an optional
// sign and fraction, blanks around it allowed. Anything else (the empty text included) is no
// number.
std::optional<double> numberFromText(QStringView text);

// The Eris sign for three list texts. The year decides alone outside 1922 to 1927; there the month
// name (exact spelling) decides, and the day text is converted only in a year's start or end month.
// Failed means a text that had to be converted was no number; NoDecision a year outside the table
// or a month text that is no month name.
Decision decide(QStringView year, QStringView month, QStringView day);

extern const char16_t *const kMonthNames[12];

} // namespace modPlanetSign
