// SPDX-License-Identifier: GPL-3.0-or-later
// A folder dropped on the index window opens in Dir1; the linked lists follow.
#include "support/drops.h"
#include "support/index_fixture.h"
#include "support/test_main.h"

#include "indexer/listing_view.h"

using namespace vm::test;
using namespace Qt::StringLiterals;

class FolderDropTest : public QObject
{
    Q_OBJECT

private slots:
    void droppedFolderOpensInDir1()
    {
        IndexFixture f({u"disc/track01.wav"_s, u"photos/"_s});
        // A file and two folders are refused; one folder is opened.
        for (const QString &dropped : {u"disc/track01.wav"_s, u"disc photos"_s, u"disc"_s}) {
            QStringList paths = dropped.split(u' ');
            for (QString &path : paths)
                path = f.path(path);
            QCOMPARE(dropFiles(f.window(), QPoint(200, 100), paths), dropped == u"disc");
        }
        for (const QString &list : {u"Dir1"_s, u"File1"_s, u"Dir2"_s, u"File6"_s})
            QCOMPARE(f.list(list)->path(), f.path(u"disc"_s));
    }
};

VM_TEST_CLASS(FolderDropTest)

#include "folder_drop.moc"
