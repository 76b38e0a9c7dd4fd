// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/picture_formats.h"

#include <QImageReader>
#include <QStringList>

namespace vm {

QString everyPictureFilter()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        patterns << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    }
    return QStringLiteral("All Pictures|") + patterns.join(u';');
}

} // namespace vm
