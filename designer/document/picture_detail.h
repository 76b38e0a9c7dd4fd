// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/pictures.h"

#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <QSizeF>

#include <memory>

class QThreadPool;

namespace vm {
class Element;
}

namespace vm::design {

// The pixels a picture needs across and down to print a box of `box` design pixels at full
// detail, 600 dpi. The picture is stretched into the box, so each direction counts on its own.
QSize printDetail(QSizeF box);

// The threads that decode paper's detail. Not Qt's shared pool: Qt scales images on that one,
// and the screen would wait behind a decode.
QThreadPool &pictureDecoders();

struct PictureSource;

// The detail paper needs of one picture box's picture. A chosen picture is decoded first only as
// large as the screen shows it, which is quick, and shown at once; its detail for paper is
// decoded afterwards on a worker thread and takes its place in the box. The box's picture is
// always a plain image, the best there is so far. One decode is in flight at a time: a newer
// picture or cancel() drops the older one's result, and so does any other change of the box's
// picture meanwhile (a cleared slot, a new design).
class PictureDetail : public QObject
{
    Q_OBJECT

public:
    explicit PictureDetail(vm::Element &box, QObject *parent = nullptr);
    ~PictureDetail() override;

    vm::Element &box() const { return m_box; }

    // Puts the picture of `path` in the box, decoded for a box of `size` (the box's own when
    // not valid), and starts on its paper detail. On failure the box keeps its picture.
    vm::PictureLoad load(const QString &path, QSizeF size = {});
    // Starts on more detail when the box has outgrown its picture's and the file, unchanged
    // since the picture came from it, holds more.
    void fetch();
    // Gives the box its paper detail now: waits for the decode in flight, and decodes at once
    // what is still missing.
    void finish();
    void cancel();

protected:
    bool event(QEvent *event) override;

private:
    struct Job;
    void start(const PictureSource &source, QSize paper);
    void take();
    void drop();

    vm::Element &m_box;
    std::shared_ptr<Job> m_job;
    QFutureWatcher<QImage> *m_watcher = nullptr;
    bool m_launched = false; // the job went to a worker
};

} // namespace vm::design
