// The index window's keys run what its buttons run.
#include "support/index_fixture.h"
#include "support/test_main.h"

#include <QPrinter>

using namespace vm::test;
using namespace Qt::StringLiterals;

class IndexKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void keysRunTheirButtons_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("Print") << u"Ctrl+P"_s << u"printed"_s;
        QTest::newRow("Refresh") << u"F5"_s << u"refreshed"_s;
        QTest::newRow("Help") << u"F1"_s << u"help card"_s;
        QTest::newRow("Close") << u"Ctrl+W"_s << u"closed"_s;
        QTest::newRow("Quit") << u"Ctrl+Q"_s << u"closed"_s;
    }

    void keysRunTheirButtons()
    {
        QFETCH(QString, key);
        QFETCH(QString, result);
        IndexFixture f({u"old.txt"_s});
        const QTemporaryDir out;
        const QString pdf = out.filePath(u"card.pdf"_s);
        f.window().printer().setOutputFileName(pdf);
        QVERIFY(makeTree(f.path(), {u"new.txt"_s}));
        pressKey(f.window(), QKeySequence(key));
        QStringList happened;
        if (QFile::remove(pdf))
            happened << u"printed"_s;
        if (f.rows(u"File1"_s).contains(u"new.txt"_s))
            happened << u"refreshed"_s;
        if (IndexFixture::helpCard()) {
            happened << u"help card"_s;
            IndexFixture::closeTopLevel(u"Form3"_s);
        }
        if (!f.window().isVisible())
            happened << u"closed"_s;
        QCOMPARE(happened.join(u' '), result);
    }
};

VM_TEST_CLASS(IndexKeysTest)
#include "index_shortcuts.moc"
