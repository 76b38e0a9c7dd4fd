// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo with the 6000 x 4000 photograph (24 megapixels) as main picture, measured
// inside the process, each floor run right beside its step:
//   design-undo-typing   undoing one typed character, until the canvas has repainted;
//   design-redo-typing   redoing it; floor of both: one repaint of the canvas as it is
//   design-undo-picture  undoing a new choice of the photo (the earlier copy comes back from
//   design-redo-picture  memory), and redoing it; floor of both: one repaint of the canvas
//                        that draws its picture anew (its screen copy dropped)
//   design-undo-memory   how far 100 typing steps raise resident memory
//   undo_bench INPUT_FOLDER RUNS
// INPUT_FOLDER holds photo.jpg (see make_inputs.cpp). Writes one measurement per line
// (measure.h).
#include "bench/measure.h"

#include "designer/document/design_window.h"
#include "designer/document/undo_history.h"
#include "toolkit/canvas.h"
#include "toolkit/common_dialog.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using vm::bench::record;
using vm::bench::Step;
using vm::design::DesignWindow;

namespace {

// Answers the Picture button's file dialog with the photo.
class PhotoDialogs final : public vm::DialogPresenter
{
public:
    QString photo;
    bool open(vm::CommonDialog &dialog, QWidget *) override
    {
        dialog.fileName = photo;
        return true;
    }
    bool save(vm::CommonDialog &, QWidget *) override { return false; }
    bool font(vm::CommonDialog &, QWidget *) override { return false; }
    bool colour(vm::CommonDialog &, QWidget *) override { return false; }
    bool printer(vm::CommonDialog &, QPrinter &, QWidget *) override { return false; }
};

void missing(const char *row, const char *why)
{
    std::printf("missing\t%s\t%s\n", row, why);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    if (argc < 3) {
        std::fprintf(stderr, "usage: undo_bench INPUT_FOLDER RUNS\n");
        return 2;
    }
    const int runs = std::atoi(argv[2]);

    DesignWindow window;
    auto dialogs = std::make_unique<PhotoDialogs>();
    dialogs->photo = QFile::decodeName(argv[1]) + QStringLiteral("/photo.jpg");
    window.commonDialog().setPresenter(std::move(dialogs));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    vm::Canvas &canvas = window.canvas();
    vm::Element &picture = canvas.element(u"Image1");
    vm::design::UndoHistory &history = window.undoHistory();
    auto *headline = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *choose = window.findChild<QPushButton *>(QStringLiteral("Command8"));
    const auto settle = [&] {
        QCoreApplication::processEvents();
        canvas.repaint();
    };
    const auto timed = [&](const char *row, const char *side, auto &&what) {
        Step step;
        what();
        canvas.repaint();
        record(row, side, step, step.wallMs());
    };
    const auto repaint = [] {};
    const auto fresh = [&] { picture.setPicture(picture.picture()); };

    choose->click();
    settle();
    if (picture.picture().isNull()) {
        for (const char *row : {"design-undo-typing", "design-redo-typing", "design-undo-picture",
                                "design-redo-picture", "design-undo-memory"})
            missing(row, "the Picture button loaded no photo");
        return 0;
    }
    QTest::keyClicks(headline, QStringLiteral("Summer Sessions"));
    history.closeTyping();
    settle();

    for (int run = 1; run <= runs; ++run) {
        QTest::keyClicks(headline, QStringLiteral("!"));
        history.closeTyping();
        settle();
        timed("design-undo-typing", "floor", repaint);
        timed("design-undo-typing", "subject", [&] { history.undo(); });
        timed("design-redo-typing", "floor", repaint);
        timed("design-redo-typing", "subject", [&] { history.redo(); });
    }

    for (int run = 1; run <= runs; ++run) {
        choose->click();
        settle();
        fresh();
        timed("design-undo-picture", "floor", repaint);
        timed("design-undo-picture", "subject", [&] { history.undo(); });
        fresh();
        timed("design-redo-picture", "floor", repaint);
        timed("design-redo-picture", "subject", [&] { history.redo(); });
    }

    settle();
    Step step;
    for (int n = 0; n < 100; ++n) {
        QTest::keyClicks(headline, QStringLiteral("x"));
        history.closeTyping();
    }
    settle();
    record("design-undo-memory", "subject", step, step.wallMs());
    return 0;
}
