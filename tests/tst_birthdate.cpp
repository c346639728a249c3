// The entry window's check of the birth date, through its real lists and message seam.
#include "fakeplatform.h"

#include "reading/frmMain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

class BirthDateTest final : public QObject
{
    Q_OBJECT

private slots:
    void validation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message"); // empty: accepted

        const QString february = QStringLiteral("Please Enter Correct Date Or Month!");
        const QString thirtyDays = QStringLiteral("Please Enter Correct Date Or Month !");
        const auto row = [](const char *tag, const char *name, const char *day, const char *month,
                            const char *year, const QString &message) {
            QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(day)
                               << QString::fromLatin1(month) << QString::fromLatin1(year)
                               << message;
        };
        // Every fourth year is a leap year, centuries included.
        row("29 February 1900", "ANN", "29", "February", "1900", {});
        row("29 February 2000", "ANN", "29", "February", "2000", {});
        row("29 February 1904", "ANN", "29", "February", "1904", {});
        row("29 February 1901", "ANN", "29", "February", "1901", february);
        row("30 February 1900", "ANN", "30", "February", "1900", february);
        row("31 February 2040", "ANN", "31", "February", "2040", february);
        row("28 February 1901", "ANN", "28", "February", "1901", {});
        row("31 April", "ANN", "31", "April", "1950", thirtyDays);
        row("31 June", "ANN", "31", "June", "1950", thirtyDays);
        row("31 September", "ANN", "31", "September", "1950", thirtyDays);
        row("31 November", "ANN", "31", "November", "1950", thirtyDays);
        row("30 April", "ANN", "30", "April", "1950", {});
        row("31 December", "ANN", "31", "December", "1950", {});
        row("a name of blanks", "  ", "1", "January", "1900", {});
        row("no name before a bad date", "", "31", "February", "1901",
            QStringLiteral("Please Enter Your Name"));
    }

    void validation()
    {
        QFETCH(QString, name);
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QString, message);

        FakePlatform fake;
        frmMain &entry = LoadedWindows::get<frmMain>();
        entry.txtName->setText(name);
        entry.cboDate->setCurrentText(day);
        entry.cboMonth->setCurrentText(month);
        entry.cboYear->setCurrentText(year);
        QCOMPARE(entry.cboDate->currentText(), day);

        QCOMPARE(entry.ValidateBirthData(), message.isEmpty());
        QStringList shown;
        for (const RecordedMessage &recorded : fake.messages.shown)
            shown.append(recorded.text);
        QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList {message});
    }
};

QTEST_MAIN(BirthDateTest)
#include "tst_birthdate.moc"
