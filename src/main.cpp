#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orrimsoftwares.Skyrand"));
    // The program ends only through its exit window, never because a window closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    StartUp();
    return QApplication::exec();
}
