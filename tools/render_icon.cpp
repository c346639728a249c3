// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Renders the program's SVG icon at build time into one file per size, holding the bare pixels
// (premultiplied ARGB, 32 bits each, in this machine's byte order): the program then shows its
// icon without an SVG renderer, an image decoder or an image plugin at every start.
//
// usage: render_icon ICON.svg OUTPUT_FOLDER SIZE...
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const QDir output(arguments[2]);
    for (const QString &size : arguments.mid(3)) {
        const int pixels = size.toInt();
        QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        QFile file(output.filePath(QStringLiteral("skyrand-%1.argb").arg(pixels)));
        const auto bytes = reinterpret_cast<const char *>(image.constBits());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes, image.sizeInBytes()) < 0) {
            std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
