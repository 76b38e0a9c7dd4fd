// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pages.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

namespace vm::test {

namespace {

QByteArray run(const char *tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

void withoutPrintServer()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        qputenv("CUPS_SERVER", "/nonexistent/vellumora-test-no-print-server.sock");
}

QString missingPdfTool()
{
    for (const char *tool : {"pdfinfo", "pdftoppm", "pdftotext", "pdfimages"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QLatin1String(tool);
    }
    return {};
}

int pdfPageCount(const QString &pdf)
{
    const QString info = QString::fromUtf8(run("pdfinfo", {pdf}));
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : -1;
}

QImage renderPdfPage(const QString &pdf, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run("pdftoppm", {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                     QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QString pdfText(const QString &pdf)
{
    return QString::fromUtf8(run("pdftotext", {pdf, QStringLiteral("-")}));
}

QList<PdfImage> pdfImages(const QString &pdf)
{
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    QList<PdfImage> images;
    const QList<QByteArray> lines = run("pdfimages", {QStringLiteral("-list"), pdf}).split('\n');
    for (const QByteArray &line : lines) {
        const QStringList fields =
            QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 14 || fields[2] != QLatin1String("image"))
            continue;
        images.append(
            {fields[3].toInt(), fields[4].toInt(), fields[12].toInt(), fields[13].toInt()});
    }
    return images;
}

bool clearlyDifferent(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) >
           96;
}

QRect inkBox(const QImage &image, const QRect &area, const QColor &background)
{
    QRect box;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (clearlyDifferent(image.pixel(x, y), background.rgb()))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace vm::test
