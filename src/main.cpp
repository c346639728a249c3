// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "app/version.h"
#include "platform/accessibility.h"
#include "platform/appicon.h"
#include "platform/appstyle.h"
#include "platform/controls.h"

#include <QApplication>

#include <thread>

int main(int argc, char *argv[])
{
    // The first text measured makes fontconfig read and parse its whole configuration, the
    // largest part of what our first window costs beyond an empty one. Done on a second core
    // while Qt connects to the display, the two overlap; the windows wait for it below.
    std::thread fontConfiguration(prepareDesignFonts);

    QApplication app(argc, argv);
    QApplication::setStyle(new AppStyle);
    installAccessibility();
    // What assistive technologies call the program. Its files are named after the executable
    // (platform::programName), so they stay where they are.
    QCoreApplication::setApplicationName(QStringLiteral("Skyrand"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKYRAND_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(SKYRAND_APPLICATION_ID));
    // Title bars and task switchers of X11 desktops take the icon from the window itself.
    QApplication::setWindowIcon(applicationIcon());
    // The program ends only through its exit window, never because a window closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);

    fontConfiguration.join();
    StartUp();
    return QApplication::exec();
}
