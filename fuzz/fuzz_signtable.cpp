// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Any three texts: the determination never crashes, and its answer is the one the date table
// gives. The table below is written from the Aries stretches as dates, not from the code's rows.

#include "fuzztext.h"
#include "reading/signtable.h"

#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

using modPlanetSign::Decision;

namespace {

struct Day
{
    int month;
    int day;
};

// The stretches during which Eris stood in Aries; Pisces elsewhere from 1900 to 2040. The last
// one reaches past the table's end, so 1927 has no end inside its year.
struct Stretch
{
    int year;
    Day first;
    std::optional<Day> last;
};

const Stretch kAries[] = {
    {1922, {6, 4}, Day {7, 21}},   {1923, {4, 28}, Day {8, 29}}, {1924, {4, 2}, Day {9, 24}},
    {1925, {3, 11}, Day {10, 22}}, {1926, {2, 14}, Day {12, 5}}, {1927, {1, 2}, std::nullopt},
};

const QStringList kMonths = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};

// A plain decimal number with blanks around it, an optional sign and an optional fraction, read
// with the C library's correctly rounding strtod.
std::optional<double> number(const QString &text)
{
    std::string s;
    for (const QChar c : text) {
        if (c.unicode() > 127)
            return std::nullopt;
        s += static_cast<char>(c.unicode());
    }
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    size_t digits = 0;
    size_t points = 0;
    for (size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9')
            ++digits;
        else if (s[i] == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    // Out of range, strtod still gives the nearest value: 0 (or a tiny one) or infinity.
    return std::strtod(s.c_str(), nullptr);
}

Decision expected(const QString &yearText, const QString &monthText, const QString &dayText)
{
    const auto year = number(yearText);
    if (!year)
        return Decision::Failed;
    if (*year != std::floor(*year) || *year < 1900 || *year > 2040)
        return Decision::NoDecision;
    const int y = static_cast<int>(*year);
    if (y < 1922)
        return Decision::Pisces;
    if (y > 1927)
        return Decision::Aries;
    const Stretch &stretch = kAries[y - 1922];

    const int month = kMonths.indexOf(monthText) + 1;
    if (month == 0)
        return Decision::NoDecision;
    if (month < stretch.first.month)
        return Decision::Pisces;
    if (month == stretch.first.month) {
        const auto day = number(dayText);
        if (!day)
            return Decision::Failed;
        // Aries from the stretch's first day on: any day beyond the day before it.
        if (!(*day > stretch.first.day - 1))
            return Decision::Pisces;
    }
    if (!stretch.last || month < stretch.last->month)
        return Decision::Aries;
    if (month > stretch.last->month)
        return Decision::Pisces;
    const auto day = number(dayText);
    if (!day)
        return Decision::Failed;
    return *day <= stretch.last->day ? Decision::Aries : Decision::Pisces;
}

const char *name(Decision decision)
{
    switch (decision) {
    case Decision::Aries:
        return "Aries";
    case Decision::Pisces:
        return "Pisces";
    case Decision::NoDecision:
        return "no decision";
    case Decision::Failed:
        return "failed";
    }
    return "?";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString year = fuzztext::fromBytes(input.ConsumeRandomLengthString(), false);
    const QString month = fuzztext::fromBytes(input.ConsumeRandomLengthString(), false);
    const QString day = fuzztext::fromBytes(input.ConsumeRemainingBytesAsString(), false);

    const Decision got = modPlanetSign::decide(year, month, day);
    const Decision want = expected(year, month, day);
    if (got != want) {
        fuzztext::fail(std::string("decide gave ") + name(got) + ", the table says " + name(want) +
                       "\n  year:  " + fuzztext::codes(year) + "\n  month: " +
                       fuzztext::codes(month) + "\n  day:   " + fuzztext::codes(day));
    }
    return 0;
}
