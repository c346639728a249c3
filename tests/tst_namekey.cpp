// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// The name box's rule, from the text a key press would insert to what happens with it.
#include "reading/namekey.h"

#include <QTest>

using namekey::Action;

class TestNameKey : public QObject
{
    Q_OBJECT

private slots:
    void decide_data();
    void decide();
};

void TestNameKey::decide_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("inserted");

    const auto pass = int(Action::Pass);
    const auto refuse = int(Action::Refuse);
    const auto insert = int(Action::Insert);
    QTest::newRow("no character (an arrow)") << "" << pass << "";
    QTest::newRow("capital A") << "A" << pass << "";
    QTest::newRow("capital Z") << "Z" << pass << "";
    QTest::newRow("small a becomes A") << "a" << insert << "A";
    QTest::newRow("small z becomes Z") << "z" << insert << "Z";
    QTest::newRow("blank") << " " << pass << "";
    QTest::newRow("Backspace") << "\b" << pass << "";
    QTest::newRow("Enter") << "\r" << pass << "";
    // Around the letters' ranges.
    QTest::newRow("@ before A") << "@" << refuse << "";
    QTest::newRow("[ after Z") << "[" << refuse << "";
    QTest::newRow("` before a") << "`" << refuse << "";
    QTest::newRow("{ after z") << "{" << refuse << "";
    QTest::newRow("digit") << "1" << refuse << "";
    // Ctrl+letter keys type control codes: refused like any other character.
    QTest::newRow("Ctrl+A") << "\x01" << refuse << "";
    QTest::newRow("Ctrl+V") << "\x16" << refuse << "";
    QTest::newRow("Ctrl+Z") << "\x1a" << refuse << "";
    QTest::newRow("Ctrl+I, a tab character") << "\t" << refuse << "";
    QTest::newRow("line feed") << "\n" << refuse << "";
    QTest::newRow("NUL") << QString(QChar(0)) << refuse << "";
    QTest::newRow("DEL") << "\x7f" << refuse << "";
    QTest::newRow("letter beyond ASCII") << QStringLiteral("\u00e9") << refuse << "";
    QTest::newRow("fullwidth A") << QStringLiteral("\uff21") << refuse << "";
    QTest::newRow("two letters from one key") << "ab" << refuse << "";
    QTest::newRow("beyond the BMP") << QString::fromUtf8("\xf0\x9d\x90\x80") << refuse << "";
}

void TestNameKey::decide()
{
    QFETCH(QString, typed);
    QFETCH(int, action);
    QFETCH(QString, inserted);
    const namekey::Decision decision = namekey::decide(typed);
    QCOMPARE(int(decision.action), action);
    QCOMPARE(decision.text, inserted);
}

QTEST_APPLESS_MAIN(TestNameKey)
#include "tst_namekey.moc"
