// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/signtable.h"

#include <QDate>
#include <QTest>

using modPlanetSign::decide;
using modPlanetSign::Decision;

Q_DECLARE_METATYPE(Decision)

namespace {

const QStringList kMonths = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};

// The Aries stretches as dates, written independently of the table in the code: the sweep over
// every day checks each stretch's first and last day and the days either side.
Decision expectedSign(const QDate &date)
{
    const struct
    {
        QDate first;
        QDate last;
    } aries[] = {
        {{1922, 6, 4}, {1922, 7, 21}},  {{1923, 4, 28}, {1923, 8, 29}},
        {{1924, 4, 2}, {1924, 9, 24}},  {{1925, 3, 11}, {1925, 10, 22}},
        {{1926, 2, 14}, {1926, 12, 5}}, {{1927, 1, 2}, {2040, 12, 31}},
    };
    for (const auto &stretch : aries) {
        if (date >= stretch.first && date <= stretch.last)
            return Decision::Aries;
    }
    return Decision::Pisces;
}

} // namespace

class TestSignTable : public QObject
{
    Q_OBJECT

private slots:
    void everyDayOfTheOfferedYears();
    void texts_data();
    void texts();
    void numbers_data();
    void numbers();
};

void TestSignTable::everyDayOfTheOfferedYears()
{
    int days = 0;
    for (QDate date(1900, 1, 1); date <= QDate(2040, 12, 31); date = date.addDays(1), ++days) {
        const Decision sign = decide(QString::number(date.year()), kMonths[date.month() - 1],
                                     QString::number(date.day()));
        if (sign != expectedSign(date))
            QFAIL(qPrintable(date.toString(Qt::ISODate)));
    }
    QCOMPARE(days, 51500);
}

void TestSignTable::texts_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<Decision>("sign");

    const auto row = [](const char *name, const QString &year, const QString &month,
                        const QString &day,
                        Decision sign) { QTest::newRow(name) << year << month << day << sign; };
    // Outside the transition years neither the month nor the day is read.
    row("1900, odd month and day", "1900", "june", "x", Decision::Pisces);
    row("1921, empty month and day", "1921", "", "", Decision::Pisces);
    row("1928, odd month", "1928", "Juni", "", Decision::Aries);
    row("2040, non-numeric day", "2040", "June", "abc", Decision::Aries);

    // Month names match exactly or not at all.
    row("lower case month", "1922", "june", "10", Decision::NoDecision);
    row("leading blank", "1922", " June", "10", Decision::NoDecision);
    row("trailing blank", "1922", "June ", "10", Decision::NoDecision);
    row("abbreviation", "1926", "Feb", "20", Decision::NoDecision);

    // The day counts only in a start or end month, and only by its number.
    row("empty day, May 1922", "1922", "May", "", Decision::Pisces);
    row("empty day, June 1922", "1922", "June", "", Decision::Failed);
    row("odd day, July 1922", "1922", "July", "x", Decision::Failed);
    row("odd day, March 1927", "1927", "March", "x", Decision::Aries);
    row("31 June 1922", "1922", "June", "31", Decision::Aries);
    row("30 February 1926", "1926", "February", "30", Decision::Aries);
    row("day 3.5 in June 1922", "1922", "June", "3.5", Decision::Aries);
    // A day too close to zero for a double is still no day after the 3rd.
    row("tiny day in June 1922", "1922", "June", QStringLiteral("0.") + QString(400, u'0') + u'1',
        Decision::Pisces);

    // Years outside the table decide nothing; texts that are no number fail.
    row("1899", "1899", "June", "4", Decision::NoDecision);
    row("2041", "2041", "June", "4", Decision::NoDecision);
    row("fractional year", "1922.5", "June", "4", Decision::NoDecision);
    row("negative year", "-1950", "June", "4", Decision::NoDecision);
    row("empty year", "", "June", "4", Decision::Failed);
    row("letters", "abc", "June", "4", Decision::Failed);
    row("digits and letters", "19x0", "June", "4", Decision::Failed);
    row("blank year", " ", "June", "4", Decision::Failed);
    row("lone point", ".", "June", "4", Decision::Failed);
    row("exponent", "1.95e3", "June", "4", Decision::Failed);
    row("arabic digits", QString::fromUtf8("١٩٥٠"), "June", "4", Decision::Failed);
}

void TestSignTable::texts()
{
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(Decision, sign);
    QCOMPARE(decide(year, month, day), sign);
}

void TestSignTable::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "1950" << 1950.0;
    QTest::newRow("blanks around") << "  1950 " << 1950.0;
    QTest::newRow("plus sign") << "+1950" << 1950.0;
    QTest::newRow("zero fraction") << "1950.0" << 1950.0;
    QTest::newRow("leading zeros") << "0001950" << 1950.0;
    QTest::newRow("trailing point") << "4." << 4.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("hundreds of digits") << QString(400, u'9') << HUGE_VAL;
    const QString tiny = QStringLiteral("0.") + QString(400, u'0') + u'1';
    QTest::newRow("fraction below a double") << tiny << 0.0;
    QTest::newRow("negative fraction below a double") << u'-' + tiny << -0.0;
    QTest::newRow("hundreds of digits after a point")
        << QStringLiteral("1922.") + QString(400, u'0') << 1922.0;
}

void TestSignTable::numbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const auto number = modPlanetSign::numberFromText(text);
    QVERIFY(number.has_value());
    QCOMPARE(*number, value);
}

QTEST_APPLESS_MAIN(TestSignTable)
#include "tst_signtable.moc"
