// A folder dropped on the index window opens in Dir1; the linked lists follow.
#include "support/index_fixture.h"
#include "support/test_main.h"

#include "indexer/listing_view.h"

#include <QMimeData>

using namespace vm::test;
using namespace Qt::StringLiterals;

class FolderDropTest : public QObject
{
    Q_OBJECT

private slots:
    void droppedFolderOpensInDir1_data()
    {
        QTest::addColumn<QString>("dropped"); // under the fixture's folder
        QTest::addColumn<QString>("shown");   // Dir1 afterwards
        QTest::newRow("folder") << u"disc/"_s << u"disc"_s;
        QTest::newRow("file") << u"disc/track01.wav"_s << QString();
        QTest::newRow("two folders") << u"disc/ photos/"_s << QString();
    }
    void droppedFolderOpensInDir1()
    {
        QFETCH(QString, dropped);
        QFETCH(QString, shown);
        IndexFixture f({u"disc/track01.wav"_s, u"photos/"_s});
        const QString start = f.list(u"Dir1"_s)->path();
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &name : dropped.split(u' '))
            urls << QUrl::fromLocalFile(f.path(name));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(200, 100), Qt::CopyAction | Qt::MoveAction, &data,
                              Qt::LeftButton, {});
        QCoreApplication::sendEvent(&f.window(), &enter);
        QCOMPARE(enter.isAccepted(), !shown.isEmpty());
        QDropEvent release(QPointF(200, 100), Qt::CopyAction | Qt::MoveAction, &data,
                           Qt::LeftButton, {});
        QCoreApplication::sendEvent(&f.window(), &release);
        const QString expected = shown.isEmpty() ? start : f.path(shown);
        for (const QString &list : {u"Dir1"_s, u"File1"_s, u"Dir2"_s, u"File6"_s})
            QCOMPARE(f.list(list)->path(), expected);
    }
};

VM_TEST_CLASS(FolderDropTest)

#include "folder_drop.moc"
