// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/signtable.h"

#include "app/blanks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace modPlanetSign {

const char16_t *const kMonthNames[12] = {u"January",   u"February", u"March",    u"April",
                                         u"May",       u"June",     u"July",     u"August",
                                         u"September", u"October",  u"November", u"December"};

namespace {

constexpr int kFirstPiscesYear = 1900;
constexpr int kLastPiscesYear = 1921;
constexpr int kFirstTransitionYear = 1922;
constexpr int kLastTransitionYear = 1927;
constexpr int kFirstAriesYear = 1928;
constexpr int kLastAriesYear = 2040;

// In a transition year Eris stood in Aries after the start day of the start month up to and
// including the end day of the end month; 1927 has no end month and stays in Aries from then on.
struct TransitionYear
{
    int startMonth;
    int startDay;
    int endMonth; // 0: none
    int endDay;
};

constexpr TransitionYear kTransitions[kLastTransitionYear - kFirstTransitionYear + 1] = {
    {6, 3, 7, 21}, // 1922
    {4, 27, 8, 29}, // 1923
    {4, 1, 9, 24}, // 1924
    {3, 10, 10, 22}, // 1925
    {2, 13, 12, 5}, // 1926
    {1, 1, 0, 0}, // 1927
};

bool isWholeYearIn(double year, int first, int last)
{
    return year >= first && year <= last && year == std::floor(year);
}

// "January" .. "December" by calendar order, 1-based; 0 for any other text.
int monthNumber(QStringView month)
{
    for (int i = 0; i < 12; ++i) {
        if (month == QStringView(kMonthNames[i]))
            return i + 1;
    }
    return 0;
}

} // namespace

namespace {

// Digits with at most one point among them, and at least one digit.
bool isDecimal(QStringView text)
{
    bool seenDigit = false;
    bool seenPoint = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            seenDigit = true;
        else if (c == u'.' && !seenPoint)
            seenPoint = true;
        else
            return false;
    }
    return seenDigit;
}

// The double nearest to a decimal text (see isDecimal).
std::optional<double> decimalValue(QStringView text)
{
    // from_chars is locale-independent and rounds correctly; it only needs the text in ASCII.
    // Short texts (all the lists ever hold) stay on the stack.
    char shortBuffer[32];
    std::string longBuffer;
    char *digits = shortBuffer;
    const auto length = static_cast<size_t>(text.size());
    if (length > sizeof shortBuffer) {
        longBuffer.resize(length);
        digits = longBuffer.data();
    }
    std::transform(text.begin(), text.end(), digits,
                   [](QChar c) { return static_cast<char>(c.unicode()); });

    double value = 0;
    const auto result = std::from_chars(digits, digits + length, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond a double either way: too many digits before the point (certainly no year of the
        // table), or a fraction too small to tell from zero. The nearest double is the value.
        const char *const point = std::find(digits, digits + length, '.');
        const bool wholePart =
            std::any_of(static_cast<const char *>(digits), point, [](char c) { return c != '0'; });
        return wholePart ? HUGE_VAL : 0.0;
    }
    if (result.ptr != digits + length)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> numberFromText(QStringView text)
{
    QStringView number = trimSpaces(text);
    const bool negative = number.startsWith(u'-');
    if (negative || number.startsWith(u'+'))
        number = number.sliced(1);
    if (!isDecimal(number))
        return std::nullopt;
    const auto value = decimalValue(number);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

Decision decide(QStringView year, QStringView month, QStringView day)
{
    const auto yearNumber = numberFromText(year);
    if (!yearNumber)
        return Decision::Failed;
    const double y = *yearNumber;
    if (isWholeYearIn(y, kFirstPiscesYear, kLastPiscesYear))
        return Decision::Pisces;
    if (isWholeYearIn(y, kFirstAriesYear, kLastAriesYear))
        return Decision::Aries;
    if (!isWholeYearIn(y, kFirstTransitionYear, kLastTransitionYear))
        return Decision::NoDecision;

    const TransitionYear &row = kTransitions[static_cast<int>(y) - kFirstTransitionYear];
    const int m = monthNumber(month);
    if (m == 0)
        return Decision::NoDecision;

    if (m < row.startMonth)
        return Decision::Pisces;
    if (m == row.startMonth) {
        const auto d = numberFromText(day);
        if (!d)
            return Decision::Failed;
        if (!(*d > row.startDay))
            return Decision::Pisces;
    }
    if (row.endMonth == 0 || m < row.endMonth)
        return Decision::Aries;
    if (m > row.endMonth)
        return Decision::Pisces;
    const auto d = numberFromText(day);
    if (!d)
        return Decision::Failed;
    return *d <= row.endDay ? Decision::Aries : Decision::Pisces;
}

} // namespace modPlanetSign
