#include "app/startup.h"
#include "app/version.h"
#include "platform/appicon.h"
#include "platform/appstyle.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(new AppStyle);
    QCoreApplication::setApplicationVersion(QStringLiteral(SKYRAND_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(SKYRAND_APPLICATION_ID));
    // Title bars and task switchers of X11 desktops take the icon from the window itself.
    QApplication::setWindowIcon(applicationIcon());
    // The program ends only through its exit window, never because a window closed.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    StartUp();
    return QApplication::exec();
}
