// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/picture_detail.h"

#include "toolkit/canvas.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPromise>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>

namespace vm::design {

namespace {

// Pictures print at up to 600 dpi; a design pixel is 1/96 inch.
constexpr double PrintDetail = 600.0 / 96.0;

// A decoded picture remembers the file it came from, the size it has there, and the file's
// length and modification time, so that it can be decoded again with more detail, and only from
// the very file it came from.
const QString SourceKey = QStringLiteral("vm-source");
const QString SourceWidthKey = QStringLiteral("vm-source-width");
const QString SourceHeightKey = QStringLiteral("vm-source-height");
const QString SourceBytesKey = QStringLiteral("vm-source-bytes");
const QString SourceModifiedKey = QStringLiteral("vm-source-modified");

// The pixels of a box of `box` design pixels at `perPixel` device pixels each, rounded up.
QSize pixels(QSizeF box, double perPixel)
{
    // A box far beyond any paper (a damaged design file can make one) asks for no more than
    // an int holds; the loader never decodes beyond the picture's own size anyway.
    const auto length = [perPixel](double designPixels) {
        const double wanted = std::ceil(std::max(1.0, designPixels) * perPixel);
        return int(std::min(wanted, double(std::numeric_limits<int>::max())));
    };
    return QSize(length(box.width()), length(box.height()));
}

bool covers(QSize size, QSize detail)
{
    return size.width() >= detail.width() && size.height() >= detail.height();
}

} // namespace

QSize printDetail(QSizeF box)
{
    return pixels(box, PrintDetail);
}

QThreadPool &pictureDecoders()
{
    // One thread less than the processor has, which leaves one to the window; gone with the
    // application, which waits for a decode still running.
    static QThreadPool *const pool = [] {
        auto *decoders = new QThreadPool(QCoreApplication::instance());
        decoders->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        return decoders;
    }();
    return *pool;
}

struct PictureSource
{
    QString path, bytes, modified;
    QSize full;

    // The file as it is now. Taken before reading: a change while the picture decodes then
    // never passes for this one.
    static PictureSource of(const QString &path)
    {
        const QFileInfo file(path);
        return {path, QString::number(file.size()),
                QString::number(file.lastModified().toMSecsSinceEpoch()), QSize()};
    }

    static std::optional<PictureSource> in(const QImage &picture)
    {
        if (picture.isNull() || picture.text(SourceKey).isEmpty())
            return std::nullopt;
        return PictureSource{
            picture.text(SourceKey), picture.text(SourceBytesKey), picture.text(SourceModifiedKey),
            QSize(picture.text(SourceWidthKey).toInt(), picture.text(SourceHeightKey).toInt())};
    }

    bool unchanged() const
    {
        const PictureSource now = of(path);
        return QFileInfo::exists(path) && now.bytes == bytes && now.modified == modified;
    }

    void mark(QImage &picture) const
    {
        picture.setText(SourceKey, path);
        picture.setText(SourceWidthKey, QString::number(full.width()));
        picture.setText(SourceHeightKey, QString::number(full.height()));
        picture.setText(SourceBytesKey, bytes);
        picture.setText(SourceModifiedKey, modified);
    }
};

namespace {

// The source's picture with `paper`'s detail and no more: nothing when its file changed or
// fails, or the decode was cancelled. The larger image the decoder gave is released at once.
QImage decodeDetail(const PictureSource &source, QSize paper,
                    const QPromise<QImage> *promise = nullptr)
{
    if (!source.unchanged())
        return {};
    vm::PictureLoad loaded = vm::loadPicture(
        source.path, paper, {}, [promise] { return promise && promise->isCanceled(); });
    if (!loaded.ok() || (promise && promise->isCanceled()))
        return {};
    QImage picture = std::move(loaded.image);
    if (const QSize fitted = picture.size().boundedTo(paper); fitted != picture.size())
        picture = picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    source.mark(picture);
    return picture;
}

// The box's picture's source when the picture lacks `paper`'s detail that its unchanged file
// holds.
std::optional<PictureSource> lacking(const vm::Element &box, QSize paper)
{
    const QImage &picture = box.picture();
    std::optional<PictureSource> source = PictureSource::in(picture);
    if (!source || covers(picture.size(), paper) || covers(picture.size(), source->full) ||
        !source->unchanged())
        return std::nullopt;
    return source;
}

} // namespace

// One decode, shared by the window and the worker thread: whoever claims it first runs it.
struct PictureDetail::Job
{
    PictureSource source;
    QSize paper;
    qint64 shown = 0; // the box's picture the detail replaces
    QPromise<QImage> promise;
    std::atomic_bool claimed = false;

    bool claim() { return !claimed.exchange(true); }
    void run()
    {
        if (!promise.isCanceled()) {
            if (QImage picture = decodeDetail(source, paper, &promise); !picture.isNull())
                promise.addResult(std::move(picture));
        }
        promise.finish();
    }
};

PictureDetail::PictureDetail(vm::Element &box, QObject *parent) : QObject(parent), m_box(box) {}

PictureDetail::~PictureDetail()
{
    cancel();
}

vm::PictureLoad PictureDetail::load(const QString &path, QSizeF size)
{
    const QSizeF box = size.isValid() ? size : m_box.rect().size();
    const QSize paper = printDetail(box);
    PictureSource source = PictureSource::of(path);
    // What the screen shows: a pixel of the picture for each of the box.
    vm::PictureLoad loaded = vm::loadPicture(path, paper, pixels(box, 1));
    if (!loaded.ok())
        return loaded;
    source.full = loaded.fullSize;
    source.mark(loaded.image);
    cancel();
    m_box.setPicture(loaded.image);
    if (!covers(loaded.image.size(), paper) && !covers(loaded.image.size(), source.full))
        start(source, paper);
    return loaded;
}

void PictureDetail::fetch()
{
    const QSize paper = printDetail(m_box.rect().size());
    if (m_job && covers(m_job->paper, paper))
        return; // on its way
    if (const std::optional<PictureSource> source = lacking(m_box, paper)) {
        cancel();
        start(*source, paper);
    }
}

void PictureDetail::finish()
{
    if (m_job) {
        // A decode no worker has begun yet runs here rather than waiting for one.
        if (m_job->claim())
            m_job->run();
        m_watcher->waitForFinished();
        take();
    }
    const QSize paper = printDetail(m_box.rect().size());
    if (const std::optional<PictureSource> source = lacking(m_box, paper)) {
        if (const QImage picture = decodeDetail(*source, paper); !picture.isNull())
            m_box.setPicture(picture);
    }
}

void PictureDetail::cancel()
{
    if (m_watcher)
        m_watcher->cancel();
    drop();
}

void PictureDetail::start(const PictureSource &source, QSize paper)
{
    m_job = std::make_shared<Job>();
    m_job->source = source;
    m_job->paper = paper;
    m_job->shown = m_box.picture().cacheKey();
    m_job->promise.start();
    m_watcher = new QFutureWatcher<QImage>(this);
    connect(m_watcher, &QFutureWatcherBase::finished, this, &PictureDetail::take);
    m_watcher->setFuture(m_job->promise.future());
    // Handed to a worker once the screen has painted the picture, which it would slow down;
    // the repaint waits at the same low priority.
    m_launched = false;
    QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
}

bool PictureDetail::event(QEvent *event)
{
    if (event->type() != QEvent::User)
        return QObject::event(event);
    if (m_job && !m_launched) {
        m_launched = true;
        // The worker holds the job, never this object: a window closed meanwhile is not
        // touched.
        pictureDecoders().start([job = m_job] {
            if (job->claim())
                job->run();
        });
    }
    return true;
}

void PictureDetail::take()
{
    if (!m_job)
        return;
    const QFuture<QImage> future = m_watcher->future();
    const qint64 shown = m_job->shown;
    drop();
    // Only onto the picture it was decoded for: a box cleared or given another picture
    // meanwhile keeps that.
    if (future.resultCount() > 0 && m_box.picture().cacheKey() == shown)
        m_box.setPicture(future.resultAt(0));
}

void PictureDetail::drop()
{
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    m_job.reset();
}

} // namespace vm::design
