// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/appicon.h"

#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QStyle>

QIcon applicationIcon()
{
    // Drawn from the SVG source at build time and stored as bare pixels, so that no decoder and
    // no image plugin has to load while the first window is on its way.
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : {16, 24, 32, 48, 64, 128}) {
            const QResource pixels(QStringLiteral(":/skyrand/skyrand-%1.argb").arg(size));
            if (pixels.size() != qint64(size) * size * 4 ||
                pixels.compressionAlgorithm() != QResource::NoCompression)
                continue;
            const QImage image(pixels.data(), size, size, QImage::Format_ARGB32_Premultiplied);
            sizes.addPixmap(QPixmap::fromImage(image));
        }
        return sizes;
    }();
    return icon;
}
