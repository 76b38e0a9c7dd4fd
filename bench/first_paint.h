#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vm::bench {

// With VM_BENCH_QUIT_AFTER_PAINT set, ends the program once `window` has been painted for the
// first time, so a timer around the process measures start-up to first paint. Built only into
// the benchmark programs.
inline void quitAfterFirstPaint(QWidget *window)
{
    if (qEnvironmentVariableIsEmpty("VM_BENCH_QUIT_AFTER_PAINT"))
        return;

    class Watcher : public QObject
    {
    public:
        using QObject::QObject;

    protected:
        bool eventFilter(QObject *, QEvent *event) override
        {
            // Queued, so the children painted in the same pass are finished too.
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return false;
        }
    };
    window->installEventFilter(new Watcher(window));
}

} // namespace vm::bench
