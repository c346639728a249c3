// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Nanoseconds per date of the sign determination, over every date the entry window offers.
#include "reading/signtable.h"

#include <QDate>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <algorithm>
#include <cstdio>

int main()
{
    const QStringList months = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    struct Texts
    {
        QString year, month, day;
    };
    QList<Texts> dates;
    for (QDate d(1900, 1, 1); d <= QDate(2040, 12, 31); d = d.addDays(1))
        dates.append({QString::number(d.year()), months[d.month() - 1], QString::number(d.day())});

    constexpr int kRounds = 41;
    QList<double> perDate;
    int aries = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (const Texts &t : dates)
            aries +=
                modPlanetSign::decide(t.year, t.month, t.day) == modPlanetSign::Decision::Aries;
        perDate.append(double(timer.nsecsElapsed()) / double(dates.size()));
    }
    std::sort(perDate.begin(), perDate.end());
    std::printf("sign determination: %lld dates x %d rounds (%d Aries decisions)\n",
                static_cast<long long>(dates.size()), kRounds, aries);
    std::printf("ns per date: median %.1f, min %.1f, max %.1f\n", perDate[kRounds / 2],
                perDate.front(), perDate.back());
    return 0;
}
