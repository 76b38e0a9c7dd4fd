// The cutting marks of the printed card show whatever lists lie where they are drawn, and the
// card starts at the corner of the printable area (a PDF page has no unprintable border).
#include "support/index_fixture.h"
#include "support/pdf_pages.h"

#include "toolkit/fonts.h"

#include <QPrinter>
#include <QPushButton>

using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

class PrintMarksTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vm::installFontSubstitutes(); }

    void upperMarkPrintsOverTheSecondSide_data()
    {
        QTest::addColumn<int>("layout");
        QTest::newRow("one side") << 1;
        QTest::newRow("files on the second side") << 4;
        QTest::newRow("folders on the second side") << 9;
    }

    void upperMarkPrintsOverTheSecondSide()
    {
        QFETCH(int, layout);
        if (const QString tool = vm::test::missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
        IndexFixture f({u"a.txt"_s, u"songs/"_s});
        f.chooseLayout(layout);
        f.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window()));
        const QString pdf = f.path(u"card.pdf"_s);
        QPrinter &printer = f.window().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        f.child<QPushButton>(u"Command1"_s)->click();

        // The tick runs down x = 438 from the card's top edge to y = 10, over any list there.
        const QImage page = vm::test::renderPdfPage(pdf);
        QVERIFY(!page.isNull());
        for (int y = 1; y <= 9; ++y)
            QVERIFY2(qGray(page.pixel(438, y)) < 64, qPrintable(u"y = %1"_s.arg(y)));
    }
};

QTEST_MAIN(PrintMarksTest)
#include "test_print_marks.moc"
