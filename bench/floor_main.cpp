// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for a program's start-up: a bare window of the program's size holding as many
// plain child widgets as the program's window holds widgets of every kind, and nothing else.
// With pictures named, it decodes them first (at WxH where given), as opening a design must.
//   bench-floor WIDTH HEIGHT WIDGETS [PICTURE[@WxH] ...]
// The floor for a thumbnail: the picture decoded with its longer side SIZE pixels, written as a
// PNG file, in an offscreen application that shows nothing.
//   bench-floor --thumbnail PICTURE SIZE OUTPUT.png
#include <QApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QWidget>

#include <cmath>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--thumbnail") == 0) {
        QImageReader reader(QString::fromLocal8Bit(argv[2]));
        const int size = std::atoi(argv[3]);
        reader.setScaledSize(reader.size().scaled(size, size, Qt::KeepAspectRatio));
        return QImageWriter(QString::fromLocal8Bit(argv[4]), "png").write(reader.read()) ? 0 : 2;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench-floor WIDTH HEIGHT WIDGETS\n");
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int n = 4; n < argc; ++n) {
        const QString picture = QString::fromLocal8Bit(argv[n]);
        QImageReader reader(picture.section(u'@', 0, 0));
        const QStringList size = picture.section(u'@', 1).split(u'x');
        if (size.size() == 2)
            reader.setScaledSize(QSize(size[0].toInt(), size[1].toInt()));
        if (reader.read().isNull()) {
            std::fprintf(stderr, "bench-floor: cannot decode %s\n", argv[n]);
            return 2;
        }
    }

    QWidget window;
    window.setFixedSize(width, height);
    window.setWindowTitle(QStringLiteral("Floor"));
    // A grid of small labels covering the window, one word each.
    const int columns = std::max(1, int(std::ceil(std::sqrt(double(count)))));
    const int rows = std::max(1, (count + columns - 1) / columns);
    const int cellWidth = std::max(1, width / columns);
    const int cellHeight = std::max(1, height / rows);
    for (int i = 0; i < count; ++i) {
        auto *label = new QLabel(QStringLiteral("Label"), &window);
        label->setGeometry(i % columns * cellWidth, i / columns * cellHeight, cellWidth,
                           cellHeight);
    }
    window.show();
    return app.exec();
}
