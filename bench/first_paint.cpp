// SPDX-License-Identifier: GPL-3.0-or-later
// Linked only into the benchmark builds of the programs (and into the floor window), never
// into the shipped programs: with VM_BENCH_QUIT_AFTER_PAINT set, the program ends as soon as
// its first window has painted, so a timer around the process measures start-up to first
// paint. With VM_BENCH_SHAPE set to a file name, it also writes the window's size and how
// many widgets it holds there, so the floor window can be built to the same shape.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

namespace {

class FirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_seen || event->type() != QEvent::Paint || !watched->isWidgetType())
            return false;
        // The program's own window: the windows it owns (Open's Wait window, its messages)
        // may paint before it when it opens a design at start.
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        if (window->parentWidget())
            return false;
        m_seen = true;
        writeShape(*window);
        // Queued, so the rest of the same paint pass (the other children) is finished too.
        // Straight out of the event loop: quit() would close the windows first, and an opened
        // design's window then asks whether to save it.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return false;
    }

private:
    static void writeShape(const QWidget &window)
    {
        const QString path = qEnvironmentVariable("VM_BENCH_SHAPE");
        if (path.isEmpty())
            return;
        QFile shape(path);
        if (shape.open(QIODevice::WriteOnly | QIODevice::Truncate))
            shape.write(QStringLiteral("%1 %2 %3\n")
                            .arg(window.width())
                            .arg(window.height())
                            .arg(window.findChildren<QWidget *>().size())
                            .toUtf8());
    }

    bool m_seen = false;
};

void watchFirstPaint()
{
    if (qEnvironmentVariableIsEmpty("VM_BENCH_QUIT_AFTER_PAINT") || !qApp)
        return;
    qApp->installEventFilter(new FirstPaint(qApp));
}

} // namespace

// Runs when the program makes its application object, before any window exists.
Q_COREAPP_STARTUP_FUNCTION(watchFirstPaint)
