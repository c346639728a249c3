// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// How the four windows look: captions, text that fits, controls that keep apart, and colours
// that stay readable under a dark desktop palette. Registered twice, at scale factor 1 and 2.
#include "fakeplatform.h"

#include "app/version.h"
#include "reading/frmDisplay.h"
#include "reading/frmMain.h"
#include "referral/frmNagScreen2.h"
#include "weblinks/frmAbout.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

using WindowFactory = std::function<QWidget *(FakePlatform &)>;

// The exit window picks its plea at random; each of the four must fit.
QWidget *exitWindowWithPlea(FakePlatform &fake, int plea)
{
    fake.clock.randoms = {plea / 4.0 + 0.01};
    return &LoadedWindows::load<frmNagScreen2>();
}

const WindowFactory entryWindow = [](FakePlatform &) { return &LoadedWindows::load<frmMain>(); };
const WindowFactory resultWindow = [](FakePlatform &) {
    return &LoadedWindows::load<frmDisplay>();
};
const WindowFactory aboutWindow = [](FakePlatform &) { return new frmAbout; };
const WindowFactory exitWindow = [](FakePlatform &fake) { return exitWindowWithPlea(fake, 0); };

void addWindows()
{
    QTest::addColumn<WindowFactory>("make");
    QTest::newRow("entry") << entryWindow;
    QTest::newRow("result") << resultWindow;
    QTest::newRow("about") << aboutWindow;
    for (int plea = 0; plea < 4; ++plea) {
        QTest::newRow(qPrintable(QStringLiteral("exit, plea %1").arg(plea)))
            << WindowFactory([plea](FakePlatform &fake) { return exitWindowWithPlea(fake, plea); });
    }
}

QList<QWidget *> visibleDescendants(QWidget *window)
{
    QList<QWidget *> shown;
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->isVisibleTo(window) && !child->isWindow())
            shown.append(child);
    }
    return shown;
}

QString describe(const QWidget *widget)
{
    return QStringLiteral("%1 (%2)").arg(widget->objectName(),
                                         QString::fromLatin1(widget->metaObject()->className()));
}

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double luminance(const QColor &colour)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
        0.0722 * channel(colour.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour that a widget's own text is drawn on: its own fill where it has one (a box, a
// button, an opaque label), else that of the nearest ancestor that paints its background.
QColor backgroundBehindText(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget))
        return widget->palette().color(QPalette::Base);
    if (qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget))
        return widget->palette().color(QPalette::Button);
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return widget->palette().color(QPalette::Window);
}

QColor textColour(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget))
        return widget->palette().color(QPalette::Text);
    if (qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget))
        return widget->palette().color(QPalette::ButtonText);
    return widget->palette().color(widget->foregroundRole());
}

bool showsText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return !label->text().isEmpty();
    return qobject_cast<const QAbstractButton *>(widget) ||
        qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QComboBox *>(widget);
}

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(49, 54, 59));
    dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
    dark.setColor(QPalette::Base, QColor(35, 38, 41));
    dark.setColor(QPalette::AlternateBase, QColor(49, 54, 59));
    dark.setColor(QPalette::Text, QColor(239, 240, 241));
    dark.setColor(QPalette::Button, QColor(59, 64, 69));
    dark.setColor(QPalette::ButtonText, QColor(239, 240, 241));
    dark.setColor(QPalette::Light, QColor(80, 86, 92));
    dark.setColor(QPalette::Midlight, QColor(70, 75, 80));
    dark.setColor(QPalette::Mid, QColor(40, 44, 48));
    dark.setColor(QPalette::Dark, QColor(25, 27, 30));
    dark.setColor(QPalette::Shadow, Qt::black);
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    dark.setColor(QPalette::HighlightedText, QColor(239, 240, 241));
    return dark;
}

} // namespace

class WindowLookTest final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void init()
    {
        m_fake = std::make_unique<FakePlatform>();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void cleanup()
    {
        m_fake.reset();
        QVERIFY(leftOverWindows().isEmpty());
        QApplication::setPalette(QApplication::style()->standardPalette());
    }

    void captionsAndRoles_data()
    {
        QTest::addColumn<WindowFactory>("make");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QAccessible::Role>("role");
        // How the group holding the controls of a window that is no dialog is named: by the
        // first row of its texts, which a screen reader says, with the others, on entering it.
        QTest::addColumn<QString>("heading");
        QTest::newRow("entry") << entryWindow << QStringLiteral(SKYRAND_TITLE)
                               << QAccessible::Window
                               << QStringLiteral("Skyrand describes the placement of the asteroid");
        QTest::newRow("result") << resultWindow << QStringLiteral(SKYRAND_TITLE)
                                << QAccessible::Window
                                << QStringLiteral("Xena/Eris in your Chart is Placed in lblSex");
        QTest::newRow("about") << aboutWindow << QStringLiteral(SKYRAND_TITLE)
                               << QAccessible::Dialog << QString();
        QTest::newRow("exit") << exitWindow << QStringLiteral("Skyrand v1.20")
                              << QAccessible::Window << QStringLiteral("Download Orrim Softwares");
    }

    // The title and the role are what a screen reader announces first of a window. Inside, a
    // frame is a panel (a "frame" would pass for a window of its own), and a list shows its items.
    void captionsAndRoles()
    {
        QFETCH(WindowFactory, make);
        QFETCH(QString, caption);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, heading);
        std::unique_ptr<QWidget> window(make(*m_fake));
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(QAccessible::queryAccessibleInterface(window.get())->role(), role);
        if (!heading.isEmpty()) {
            window->show();
            QAccessibleInterface *contents = QAccessible::queryAccessibleInterface(
                window->findChild<QWidget *>(QStringLiteral("contents")));
            QCOMPARE(contents->role(), QAccessible::Grouping);
            QVERIFY2(contents->text(QAccessible::Name).startsWith(heading),
                     qPrintable(contents->text(QAccessible::Name)));
            QVERIFY(!contents->text(QAccessible::Description).isEmpty());
            QVERIFY(!contents->text(QAccessible::Description).contains(heading));
        }
        for (auto *frame : window->findChildren<QFrame *>()) {
            if (frame->metaObject() == &QFrame::staticMetaObject &&
                frame->frameShape() != QFrame::HLine)
                QCOMPARE(QAccessible::queryAccessibleInterface(frame)->role(),
                         QAccessible::Grouping);
        }
        // A list is named by its heading and holds its items, the chosen one selected, where
        // screen readers read it and other tools choose an item by its name.
        for (auto *list : window->findChildren<QComboBox *>()) {
            QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(list);
            QVERIFY(!shown->text(QAccessible::Name).isEmpty());
            QVERIFY(shown->text(QAccessible::Name) != list->currentText());
            QCOMPARE(shown->text(QAccessible::Value), list->currentText());
            QCOMPARE(shown->childCount(), 1);
            QAccessibleInterface *items = shown->child(0);
            QCOMPARE(items->role(), QAccessible::List);
            QCOMPARE(items->parent(), shown);
            QCOMPARE(items->childCount(), list->count());
            QAccessibleInterface *chosen = items->child(list->currentIndex());
            QCOMPARE(chosen->text(QAccessible::Name), list->currentText());
            QTRY_VERIFY(chosen->state().selected);
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
            QAccessibleTextInterface *text = shown->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), list->currentText());
#endif
        }
        // An open menu is a window of its own to a screen reader: named by its title in the
        // bar, it says which menu opened.
        for (auto *menu : window->findChildren<QMenu *>())
            QCOMPARE(QAccessible::queryAccessibleInterface(menu)->text(QAccessible::Name),
                     menu->title().remove(QLatin1Char('&')));
        // The about and exit windows repeat their caption in large letters.
        if (auto *about = qobject_cast<frmAbout *>(window.get()))
            QCOMPARE(about->Label2->text(), caption);
        if (auto *exit = qobject_cast<frmNagScreen2 *>(window.get()))
            QCOMPARE(exit->lblNagScreen2Caption->text(), caption);
    }

    void textFitsAndControlsKeepApart_data()
    {
        addWindows();
    }

    void textFitsAndControlsKeepApart()
    {
        QFETCH(WindowFactory, make);
        std::unique_ptr<QWidget> window(make(*m_fake));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        const QList<QWidget *> shown = visibleDescendants(window.get());
        for (QWidget *widget : shown) {
            const QString name = describe(widget);
            QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
                     qPrintable(name + QStringLiteral(" sticks out of its container")));

            if (auto *label = qobject_cast<QLabel *>(widget); label && label->wordWrap()) {
                QVERIFY2(label->height() >= label->heightForWidth(label->width()),
                         qPrintable(name + QStringLiteral(" cuts off its last lines")));
            } else if (showsText(widget)) {
                const QSize needed = widget->minimumSizeHint();
                QVERIFY2(widget->width() >= needed.width() && widget->height() >= needed.height(),
                         qPrintable(name + QStringLiteral(" is smaller than its text")));
            }

            // Siblings share no pixel, except the two offers that lie on top of each other.
            for (QWidget *other : shown) {
                if (other == widget || other->parentWidget() != widget->parentWidget())
                    continue;
                const QSet<QString> pair {widget->objectName(), other->objectName()};
                if (pair ==
                    QSet<QString> {QStringLiteral("lblCobrand"), QStringLiteral("lblFullBrand")})
                    continue;
                QVERIFY2(!widget->geometry().intersects(other->geometry()),
                         qPrintable(name + QStringLiteral(" overlaps ") + describe(other)));
            }
        }
    }

    void textStaysReadableOnDarkDesktop_data()
    {
        addWindows();
    }

    void textStaysReadableOnDarkDesktop()
    {
        QFETCH(WindowFactory, make);
        for (const bool switchWhileOpen : {false, true}) {
            // Dark from the start, or the desktop turning dark while the window is open.
            if (!switchWhileOpen)
                QApplication::setPalette(darkPalette());
            std::unique_ptr<QWidget> window(make(*m_fake));
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            if (switchWhileOpen)
                QApplication::setPalette(darkPalette());

            for (QWidget *widget : visibleDescendants(window.get())) {
                if (!showsText(widget))
                    continue;
                const double ratio = contrast(textColour(widget), backgroundBehindText(widget));
                QVERIFY2(ratio >= 4.5,
                         qPrintable(QStringLiteral("%1: contrast %2 (switched while open: %3)")
                                        .arg(describe(widget))
                                        .arg(ratio)
                                        .arg(switchWhileOpen)));
            }
            window.reset();
            resetProgram();
            QApplication::setPalette(QApplication::style()->standardPalette());
        }
    }

    // The colours that the design fixes stay as they are, under a light and a dark desktop
    // palette alike; the rest follows the desktop.
    void fixedColours_data()
    {
        QTest::addColumn<WindowFactory>("make");
        QTest::addColumn<QString>("control"); // empty: the window itself
        QTest::addColumn<QPalette::ColorRole>("role");
        QTest::addColumn<QColor>("colour"); // none: the desktop's
        const QColor navy(0, 0, 128);
        QTest::newRow("entry") << entryWindow << "" << QPalette::Window << QColor();
        QTest::newRow("result") << resultWindow << "" << QPalette::Window << QColor();
        QTest::newRow("about") << aboutWindow << "" << QPalette::Window << QColor(224, 224, 224);
        QTest::newRow("about, title") << aboutWindow << "Label2" << QPalette::WindowText << navy;
        QTest::newRow("about, text")
            << aboutWindow << "Label1" << QPalette::WindowText << QColor(0, 0, 255);
        QTest::newRow("exit") << exitWindow << "" << QPalette::Window << QColor(Qt::white);
        QTest::newRow("exit, family frame") << exitWindow << "Frame6" << QPalette::Window << navy;
        QTest::newRow("exit, form frame") << exitWindow << "Frame2" << QPalette::Window << navy;
        QTest::newRow("exit, family link")
            << exitWindow << "lblGoToHome" << QPalette::WindowText << QColor(Qt::yellow);
    }

    void fixedColours()
    {
        QFETCH(WindowFactory, make);
        QFETCH(QString, control);
        QFETCH(QPalette::ColorRole, role);
        QFETCH(QColor, colour);
        for (const QPalette &desktop : {QApplication::style()->standardPalette(), darkPalette()}) {
            QApplication::setPalette(desktop);
            std::unique_ptr<QWidget> window(make(*m_fake));
            QWidget *widget =
                control.isEmpty() ? window.get() : window->findChild<QWidget *>(control);
            QVERIFY(widget);
            QCOMPARE(widget->palette().color(role),
                     colour.isValid() ? colour : desktop.color(role));

            // On a window with a fixed light background, the boxes and buttons stay light too.
            if (control.isEmpty() && colour.isValid()) {
                window->show();
                QVERIFY(QTest::qWaitForWindowExposed(window.get()));
                for (QWidget *shown : visibleDescendants(window.get())) {
                    if (qobject_cast<QLineEdit *>(shown) || qobject_cast<QPushButton *>(shown))
                        QVERIFY2(luminance(backgroundBehindText(shown)) > 0.5,
                                 qPrintable(describe(shown)));
                }
            }
            window.reset();
            resetProgram();
        }
    }

private:
    std::unique_ptr<FakePlatform> m_fake;
};

QTEST_MAIN(WindowLookTest)
#include "tst_windowlook.moc"
