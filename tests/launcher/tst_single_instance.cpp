#include "toolkit/single_instance.h"

#include <QTest>
#include <QWidget>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void oneWindowUntilTheUserClosesIt()
    {
        QWidget owner;
        vm::SingleInstance<QWidget> holder;
        QVERIFY(!holder.existing());

        int made = 0;
        auto make = [&] {
            ++made;
            return new QWidget(&owner, Qt::Window);
        };
        QWidget *first = holder.get(make);
        QCOMPARE(made, 1);
        QCOMPARE(holder.existing(), first);
        first->show();
        QCOMPARE(holder.get(make), first);

        // Hidden is still open: the same window, with what it holds.
        first->setObjectName(QStringLiteral("kept"));
        first->hide();
        QCOMPARE(holder.get(make), first);
        QCOMPARE(made, 1);

        // Closed by the user: gone, and the next use makes a fresh one.
        first->show();
        QVERIFY(first->close());
        QTRY_VERIFY(!holder.existing());
        QWidget *second = holder.get(make);
        QCOMPARE(made, 2);
        QVERIFY(second->objectName().isEmpty());
        QCOMPARE(second->parentWidget(), &owner);

        // Without a maker: a window of that type under the given parent.
        vm::SingleInstance<QWidget> plain;
        QWidget *window = plain.get(&owner);
        QCOMPARE(window->parentWidget(), &owner);
        QCOMPARE(plain.get(&owner), window);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
