// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/renderer.h"

#include "render/svg_page.h"
#include "toolkit/page_export.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace vm::render {

namespace {

// Open's report as lines: what the window would show in its messages.
class LineReport : public design::OpenReport
{
public:
    QString error;
    QStringList warnings;
    QList<int> rejectedLines;

    void unreadable(const QString &, const QString &reason) override { error = reason; }
    void pictureFailed(const QString &picture, const QString &reason) override
    {
        // The recovery loads no picture after the first that fails, as Open does.
        warnings << QStringLiteral("warning: the picture %1 could not be loaded (%2); the design "
                                   "is rendered without it and any picture after it")
                        .arg(QDir::toNativeSeparators(picture), reason);
    }
    void opened(const QList<int> &lines) override { rejectedLines = lines; }
};

// The drawing moved so that `corner` lands on the origin.
PagePaint shifted(const PagePaint &paint, QPointF corner)
{
    return [paint, corner](QPainter &painter) {
        painter.translate(-corner);
        paint(painter);
    };
}

// The drawing cut to `area`, as the page is on paper larger than itself.
PagePaint clipped(const PagePaint &paint, const QRectF &area)
{
    return [paint, area](QPainter &painter) {
        painter.setClipRect(area, Qt::IntersectClip);
        paint(painter);
    };
}

QString absolute(const QString &path)
{
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

} // namespace

Renderer::Renderer(const RenderOptions &options, Teller tell)
    : m_options(options), m_tell(std::move(tell))
{
}

int Renderer::run()
{
    if (!m_options.outputDir.isEmpty() && !QDir().mkpath(m_options.outputDir)) {
        say(m_options.outputDir, QStringLiteral("the folder could not be made"));
        return 1;
    }
    bool all = true;
    for (const QString &design : std::as_const(m_options.designs)) {
        all = render(design) && all;
        // The picture decodes each design started and dropped; no event loop runs here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return all ? 0 : 1;
}

QString Renderer::outputFor(const QString &design) const
{
    if (!m_options.output.isEmpty())
        return m_options.output;
    const QFileInfo file(design);
    const QDir folder = m_options.outputDir.isEmpty() ? file.dir() : QDir(m_options.outputDir);
    return folder.filePath(file.completeBaseName() + extension(m_options.format));
}

bool Renderer::render(const QString &design)
{
    const QString output = outputFor(design);
    const QString target = absolute(output);
    if (target == absolute(design)) {
        say(design, QStringLiteral("the output would replace the design itself"));
        return false;
    }
    if (m_written.contains(target)) {
        say(design, QStringLiteral("its output %1 is another design's output in this run")
                        .arg(QDir::toNativeSeparators(output)));
        return false;
    }

    LineReport report;
    if (!m_window.openDesignFile(design, report)) {
        say(design, report.error);
        return false;
    }
    for (const QString &warning : std::as_const(report.warnings))
        say(design, warning);
    // A design with lines that could not be read would come out with their values missing;
    // with no one to ask, nothing is made of it.
    if (!report.rejectedLines.isEmpty()) {
        say(design,
            QStringLiteral("damaged: ") + design::rejectedLinesMessage(report.rejectedLines));
        return false;
    }
    const PrintResult result = write(output);
    if (!result.ok()) {
        say(design, QStringLiteral("%1 could not be written: %2")
                        .arg(QDir::toNativeSeparators(output), result.error));
        return false;
    }
    m_written.insert(target);
    return true;
}

PrintResult Renderer::write(const QString &output)
{
    const QRectF cut = m_window.coverCut();
    const QSizeF sheet =
        m_options.page ? paper().fullRect(QPageLayout::Inch).size() * 96 : cut.size();
    const Format format = m_options.format;
    const qreal dpi = m_options.size
                          ? m_options.size * 96.0 / std::max(sheet.width(), sheet.height())
                          : m_options.dpi;
    // A picture's paper detail only where the output has more than a pixel per design pixel.
    const bool paperDetail = format != Format::Png || dpi > 96;
    const auto headline = m_window.fileValue(u"Label2.Caption");
    const QString title = headline ? std::get<QString>(*headline) : QString();

    return m_window.sendCoverPage(
        [&](const QRectF &page, const PagePaint &paint) -> PrintResult {
            switch (format) {
            case Format::Pdf: {
                if (m_options.page)
                    return writePdfPage(output, paper(), page, paint);
                const QPageLayout cover(QPageSize(cut.size() * 72 / 96, QPageSize::Point, QString(),
                                                  QPageSize::ExactMatch),
                                        QPageLayout::Portrait, QMarginsF());
                return writePdfPage(output, cover, QRectF(QPointF(), cut.size()),
                                    shifted(paint, cut.topLeft()));
            }
            case Format::Png:
                if (m_options.page)
                    return writePngPage(output, QRectF(QPointF(), sheet), dpi,
                                        clipped(paint, page));
                return writePngPage(output, cut, dpi, paint);
            case Format::Svg:
                break;
            }
            if (m_options.page)
                return writeSvgPage(output, sheet, title, clipped(paint, page));
            return writeSvgPage(output, sheet, title, shifted(paint, cut.topLeft()));
        },
        paperDetail);
}

QPageLayout Renderer::paper()
{
    // The paper Print uses before Print Set Up changes it: the system's default.
    if (!m_paper)
        m_paper = QPrinter(QPrinter::HighResolution).pageLayout();
    return *m_paper;
}

void Renderer::say(const QString &file, const QString &text) const
{
    m_tell(QStringLiteral("vmrender: %1: %2").arg(QDir::toNativeSeparators(file), text));
}

} // namespace vm::render
