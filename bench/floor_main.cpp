// The floor for the launcher's start-up time: a bare window of the same size with as many
// child widgets of the same kinds, and nothing else.
#include "bench/first_paint.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(434, 310);
    window.setWindowTitle(QStringLiteral("Floor"));

    (new QLabel(QStringLiteral("Picture"), &window))->setGeometry(48, 8, 342, 65);
    (new QLabel(QStringLiteral("Title"), &window))->setGeometry(48, 8, 337, 73);
    auto *description = new QLabel(QStringLiteral("Description text"), &window);
    description->setGeometry(16, 80, 401, 89);
    description->setWordWrap(true);
    (new QPushButton(QStringLiteral("One"), &window))->setGeometry(8, 176, 89, 81);
    (new QPushButton(QStringLiteral("Two"), &window))->setGeometry(336, 176, 89, 81);
    (new QPushButton(QStringLiteral("Three"), &window))->setGeometry(168, 168, 97, 17);
    (new QCheckBox(QStringLiteral("Check"), &window))->setGeometry(152, 256, 145, 17);
    (new QLabel(QStringLiteral("Information"), &window))->setGeometry(24, 280, 385, 33);

    vm::bench::quitAfterFirstPaint(&window);
    window.show();
    return app.exec();
}
