// How long a 24-megapixel photo takes from the "Picture" button to the first paint of the
// cover, against the floor of a bare decode at the box's screen size, and how much memory it
// keeps. Run on the offscreen platform: bench_picture_load [folder for the photo]

#include "designer/document/design_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QPushButton>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>
#include <vector>

using namespace vm;

namespace {

constexpr int Runs = 7;

class ChosenFile final : public DialogPresenter
{
public:
    explicit ChosenFile(QString path) : m_path(std::move(path)) {}
    bool open(CommonDialog &dialog, QWidget *) override
    {
        dialog.fileName = m_path;
        return true;
    }
    bool save(CommonDialog &, QWidget *) override { return false; }
    bool font(CommonDialog &, QWidget *) override { return false; }
    bool colour(CommonDialog &, QWidget *) override { return false; }
    bool printer(CommonDialog &, QPrinter &, QWidget *) override { return false; }

private:
    QString m_path;
};

// A camera-sized photo that compresses like one: a gradient under fine noise, quality 90.
QString makePhoto(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("photo-6000x4000.jpg"));
    if (QFile::exists(path))
        return path;
    QImage photo(6000, 4000, QImage::Format_RGB32);
    QRandomGenerator noise(4000);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const int n = int(noise.bounded(64)) - 32;
            line[x] = qRgb(std::clamp(x * 255 / 6000 + n, 0, 255),
                           std::clamp(y * 255 / 4000 + n, 0, 255), std::clamp(128 + n, 0, 255));
        }
    }
    if (!photo.save(path, "JPEG", 90))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double residentMiB()
{
    long pages = 0, resident = 0;
    FILE *statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    if (statm)
        std::fclose(statm);
    return resident * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// The highest resident size since the last reset, and the reset (Linux 4.0 and later).
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double loadAndPaint(const QString &path, QSize *decoded = nullptr)
{
    design::DesignWindow design;
    design.commonDialog().setPresenter(std::make_unique<ChosenFile>(path));
    QElapsedTimer timer;
    timer.start();
    design.findChild<QPushButton *>(QStringLiteral("Command8"))->click();
    design.canvas().render(QRect(0, 0, 456, 456)); // the first paint scales it to its box
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (decoded)
        *decoded = design.canvas().element(u"Image1").picture().size();
    return elapsed;
}

double bareDecode(const QString &path, QSize size)
{
    QElapsedTimer timer;
    timer.start();
    QImageReader reader(path);
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (image.isNull())
        qFatal("cannot read %s", qPrintable(path));
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    const QStringList args = app.arguments();
    const QString path = makePhoto(args.size() > 1 ? args.at(1) : QDir::tempPath());
    QFile warm(path); // read once, so every run finds it in the page cache
    if (warm.open(QIODevice::ReadOnly))
        warm.readAll();

    // Memory first, in a process that has not yet held a big picture.
    malloc_trim(0);
    const double before = residentMiB();
    resetPeak();
    double kept = 0, peak = 0;
    QSize decoded;
    {
        design::DesignWindow design;
        design.commonDialog().setPresenter(std::make_unique<ChosenFile>(path));
        const double empty = residentMiB();
        design.findChild<QPushButton *>(QStringLiteral("Command8"))->click();
        design.canvas().render(QRect(0, 0, 456, 456));
        kept = residentMiB() - empty;
        peak = peakMiB() - before;
        decoded = design.canvas().element(u"Image1").picture().size();
    }

    std::vector<double> floor, designer, fitted;
    for (int run = 0; run < Runs; ++run) {
        floor.push_back(bareDecode(path, QSize(393, 289)));
        designer.push_back(loadAndPaint(path));
        fitted.push_back(bareDecode(path, QSize(2457, 1638)));
    }
    const double floorMs = median(floor);
    std::printf("photo                      6000 x 4000 JPEG, %.1f MiB\n",
                QFileInfo(path).size() / (1024.0 * 1024.0));
    std::printf("floor: decode at 393 x 289 %8.1f ms\n", floorMs);
    std::printf("Picture button + 1st paint %8.1f ms  (%.2f x floor), decoded %d x %d\n",
                median(designer), median(designer) / floorMs, decoded.width(), decoded.height());
    std::printf("bare decode at 2457 x 1638 %8.1f ms  (%.2f x floor; fitting the print size "
                "exactly)\n",
                median(fitted), median(fitted) / floorMs);
    std::printf("memory kept by the picture %8.1f MiB, peak growth while loading %.1f MiB\n", kept,
                peak);
    return 0;
}
