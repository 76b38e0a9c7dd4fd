// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes opening a design end to end: the bytes are opened through the Open button of a real
// Design window on the offscreen platform, values applied, pictures loaded. Relative picture
// paths lead into a folder of good, damaged and enormous pictures, a FIFO and a folder made
// here. Beyond the sanitizers it checks that the window stays usable: what it then saves
// opens in a fresh window without a rejected line and saves the same again.

#include "designer/document/design_file.h"
#include "designer/document/design_window.h"
#include "toolkit/common_dialog.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm;
using vm::design::DesignWindow;

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "design_open: %s\n", what);
        std::abort();
    }
}

// The file dialog answers with the name it is given.
class Answer final : public DialogPresenter
{
public:
    explicit Answer(QString chosen) : m_chosen(std::move(chosen)) {}
    bool open(CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool save(CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool font(CommonDialog &, QWidget *) override { return false; }
    bool colour(CommonDialog &, QWidget *) override { return false; }
    bool printer(CommonDialog &, QPrinter &, QWidget *) override { return false; }

private:
    bool answer(CommonDialog &dialog)
    {
        dialog.fileName = m_chosen;
        return true;
    }
    QString m_chosen;
};

void click(DesignWindow &design, const char *button, const QString &chosen)
{
    design.commonDialog().setPresenter(std::make_unique<Answer>(chosen));
    design.findChild<QPushButton *>(QLatin1String(button))->click();
}

QByteArray picture(const char *format, QSize size, bool progressive = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

void put(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
          "cannot write a picture");
}

// The pictures a design may name, relative to the current folder.
void makePictures()
{
    put(QStringLiteral("a.png"), picture("PNG", {40, 30}));
    put(QStringLiteral("b.jpg"), picture("JPEG", {30, 40}));
    put(QStringLiteral("c.bmp"), picture("BMP", {8, 8}));
    const QByteArray jpeg = picture("JPEG", {64, 64}, true);
    put(QStringLiteral("cut.jpg"), jpeg.first(jpeg.size() / 2));
    QByteArray huge = jpeg;
    const qsizetype frame = huge.indexOf("\xFF\xC2");
    qToBigEndian<quint16>(50000, huge.data() + frame + 5);
    qToBigEndian<quint16>(50000, huge.data() + frame + 7);
    put(QStringLiteral("huge.jpg"), huge);
    put(QStringLiteral("empty.gif"), {});
    put(QStringLiteral("text.png"), "not a picture\r\n");
    QDir().mkdir(QStringLiteral("folder"));
    ::mkfifo("fifo", 0600);
    ::symlink("loop", "loop");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<QTemporaryDir> folder;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv); // lives as long as the process
    installFontSubstitutes();
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    folder = std::make_unique<QTemporaryDir>();
    const QString started = QDir::currentPath();
    check(folder->isValid() && QDir::setCurrent(folder->path()), "no temporary folder");
    makePictures();
    QDir::setCurrent(started);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Relative paths lead into the folder of pictures while the input runs; libFuzzer's own
    // paths stay as given.
    const QString started = QDir::currentPath();
    QDir::setCurrent(folder->path());
    const QString opened = QStringLiteral("opened.vmd");
    const QString first = QStringLiteral("first.vmd");
    const QString second = QStringLiteral("second.vmd");
    put(opened, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    QFile::remove(first);
    QFile::remove(second);
    {
        DesignWindow design;
        click(design, "Command1", opened);
        check(design.designFileName() == opened, "a regular file did not open");
        click(design, "Command2", first);
        check(!design.findChild<QMessageBox *>(QStringLiteral("SaveError")),
              "saving the opened design failed");
    }
    {
        DesignWindow design;
        click(design, "Command1", first);
        check(!design.findChild<QMessageBox *>(QStringLiteral("OpenRejected")),
              "a saved design has rejected lines");
        click(design, "Command2", second);
    }
    const QByteArray saved = readFile(first);
    if (saved != readFile(second)) {
        const QList<QByteArray> a = saved.split('\n'), b = readFile(second).split('\n');
        for (qsizetype i = 0; i < qMin(a.size(), b.size()); ++i) {
            if (a[i] != b[i])
                std::fprintf(stderr, "design_open: line %lld saved as \"%s\", then \"%s\"\n",
                             qint64(i + 1), a[i].toPercentEncoding(" ").constData(),
                             b[i].toPercentEncoding(" ").constData());
        }
        check(false, "opening a saved design and saving it again changed the file");
    }
    // Windows that closed themselves go now, not at the end of the run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QDir::setCurrent(started);
    return 0;
}
