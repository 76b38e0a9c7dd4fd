// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the benchmarks' inputs in a given folder, the same on every run:
//   big/         a folder of many empty files with names of the kinds people keep on discs,
//                every tenth with letters outside ASCII
//   photo.jpg    a 6000 x 4000 photograph-like picture (gradients and noise, quality 90)
//   camera.jpg   the same kind of picture at 11648 x 8736, as a 100-megapixel camera writes
//                it (baseline, quality 90)
//   logo1.png, logo2.jpg   two small logos
//   bench-inputs FOLDER [FILES]
#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace {

QString pick(QRandomGenerator &random, const QStringList &from)
{
    return from[int(random.bounded(quint32(from.size())))];
}

// One file name; `n` keeps every name distinct.
QString fileName(QRandomGenerator &random, int n)
{
    static const QStringList words = {
        QStringLiteral("Blue"),    QStringLiteral("river"),   QStringLiteral("Night"),
        QStringLiteral("SUMMER"),  QStringLiteral("live"),    QStringLiteral("Demo"),
        QStringLiteral("session"), QStringLiteral("Final"),   QStringLiteral("mix"),
        QStringLiteral("Intro"),   QStringLiteral("Outro"),   QStringLiteral("remaster"),
        QStringLiteral("Holiday"), QStringLiteral("beach"),   QStringLiteral("Garden"),
        QStringLiteral("party"),   QStringLiteral("Invoice"), QStringLiteral("report"),
        QStringLiteral("Letter"),  QStringLiteral("backup"),  QStringLiteral("Notes"),
        QStringLiteral("draft"),   QStringLiteral("Scan"),    QStringLiteral("copy")};
    static const QStringList foreign = {
        QStringLiteral("Café"),   QStringLiteral("Ångström"),    QStringLiteral("Über"),
        QStringLiteral("naïve"),  QStringLiteral("Smörgåsbord"), QStringLiteral("Straße"),
        QStringLiteral("Œuvre"),  QStringLiteral("Ñandú"),       QStringLiteral("Ελληνικά"),
        QStringLiteral("Привет"), QStringLiteral("東京"),        QStringLiteral("写真"),
        QStringLiteral("Zürich"), QStringLiteral("Éclair"),      QStringLiteral("Łódź")};
    static const QStringList audio = {QStringLiteral("mp3"), QStringLiteral("flac"),
                                      QStringLiteral("wav"), QStringLiteral("ogg")};
    static const QStringList documents = {QStringLiteral("docx"), QStringLiteral("pdf"),
                                          QStringLiteral("txt"), QStringLiteral("xlsx"),
                                          QStringLiteral("odt")};
    const QString word = n % 10 == 3 ? pick(random, foreign) : pick(random, words);
    switch (random.bounded(5)) {
    case 0:
        return QStringLiteral("Track %1 - %2 %3 (%4).%5")
            .arg(n % 99 + 1, 2, 10, QChar(u'0'))
            .arg(word, pick(random, words))
            .arg(n)
            .arg(pick(random, audio));
    case 1:
        return QStringLiteral("IMG_%1_%2 %3.JPG")
            .arg(QDate(2008, 1, 1).addDays(n % 5000).toString(QStringLiteral("yyyyMMdd")))
            .arg(n, 6, 10, QChar(u'0'))
            .arg(word);
    case 2:
        return QStringLiteral("dsc%1 %2.jpg").arg(n, 6, 10, QChar(u'0')).arg(word);
    case 3:
        return QStringLiteral("%1 %2 (%3).%4")
            .arg(word, pick(random, words))
            .arg(n)
            .arg(pick(random, documents));
    default:
        return QStringLiteral("%1_%2_v%3.%4")
            .arg(word.toLower(), pick(random, words))
            .arg(n)
            .arg(pick(random, documents));
    }
}

bool makeFolder(const QString &folder, int files)
{
    QDir().mkpath(folder);
    QRandomGenerator random(1996);
    for (int n = 0; n < files; ++n) {
        const QByteArray path = QFile::encodeName(folder + u'/' + fileName(random, n));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror(path.constData());
            return false;
        }
        ::close(fd);
    }
    return true;
}

// Soft gradients, a few shapes and fine noise: compresses like a photograph, not like a
// flat drawing.
QImage photo(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.5, QColor(230, 180, 120));
    sky.setColorAt(1, QColor(30, 60, 40));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(2026);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        painter.setBrush(QColor(int(random.bounded(256)), int(random.bounded(256)),
                                int(random.bounded(256)), 90));
        painter.drawEllipse(QPointF(random.bounded(size.width()), random.bounded(size.height())),
                            random.bounded(size.width() / 6), random.bounded(size.height() / 6));
    }
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int(random.bounded(25)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + noise, 255), qBound(0, qGreen(p) + noise, 255),
                           qBound(0, qBlue(p) + noise, 255));
        }
    }
    return image;
}

QImage logo(QSize size, QColor ink)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(ink);
    painter.setPen(QPen(Qt::black, 6));
    painter.drawEllipse(image.rect().adjusted(10, 10, -10, -10));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-inputs FOLDER [FILES]\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]);
    const int files = argc > 2 ? std::atoi(argv[2]) : 100000;
    if (!makeFolder(folder + QStringLiteral("/big"), files))
        return 1;
    if (!photo({6000, 4000}).save(folder + QStringLiteral("/photo.jpg"), "JPEG", 90) ||
        !photo({11648, 8736}).save(folder + QStringLiteral("/camera.jpg"), "JPEG", 90) ||
        !logo({320, 240}, QColor(200, 40, 40)).save(folder + QStringLiteral("/logo1.png"), "PNG") ||
        !logo({300, 300}, QColor(40, 160, 60))
             .save(folder + QStringLiteral("/logo2.jpg"), "JPEG", 90)) {
        std::fprintf(stderr, "bench-inputs: could not write the pictures\n");
        return 1;
    }
    return 0;
}
