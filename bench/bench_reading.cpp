// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// A reading from the click on the button until the result window is shown and painted once.
#include "reading/frmDisplay.h"
#include "reading/frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

namespace {

// Notes the first paint of the result window after each click.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<frmDisplay *>(watched))
            painted = true;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PaintWatch watch;
    app.installEventFilter(&watch);

    frmMain &entry = LoadedWindows::load<frmMain>();
    entry.show();
    entry.txtName->setText(QStringLiteral("ANN"));
    entry.cboDate->setCurrentIndex(3);
    entry.cboMonth->setCurrentIndex(5);
    entry.cboYear->setCurrentIndex(22);
    QApplication::processEvents();

    constexpr int kReadings = 200;
    QList<double> milliseconds;
    for (int reading = 0; reading <= kReadings; ++reading) {
        watch.painted = false;
        QElapsedTimer timer;
        timer.start();
        entry.cmdNext->click();
        while (!watch.painted)
            QApplication::processEvents(QEventLoop::AllEvents);
        milliseconds.append(double(timer.nsecsElapsed()) / 1e6);
        LoadedWindows::find<frmDisplay>()->cmdBack->click();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    const double first = milliseconds.takeFirst(); // also creates the hidden exit window
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("reading, click to painted result window: first %.2f ms (creates the exit "
                "window)\n",
                first);
    std::printf("reading over %d more: median %.3f ms, min %.3f ms, max %.3f ms\n", kReadings,
                milliseconds[kReadings / 2], milliseconds.front(), milliseconds.back());
    return 0;
}
