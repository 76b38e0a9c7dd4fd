// "Print Set Up" through the real print dialog, on the private PDF queue of the test fixture
// (tests/support/cups-pdf-queue): what the user confirms there is what the next Print uses,
// and Cancel keeps the settings as they were.

#include "support/design_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace vm::test;
using vm::design::DesignWindow;

namespace {

// The print engine keeps the queue's own options (print quality among them) as name, value
// pairs under this key.
constexpr auto QueueOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QDialog *modalDialog()
{
    return qobject_cast<QDialog *>(QApplication::activeModalWidget());
}

// Answers the print dialog about to open: sets the copies, uncollated, last page first, picks
// an output resolution among the queue's own options, then confirms or cancels.
void answerPrintDialog(int copies, const QString &resolution, bool confirm)
{
    QTimer::singleShot(0, [=] {
        QDialog *dialog = modalDialog();
        QVERIFY(qobject_cast<QPrintDialog *>(dialog));
        const auto answer = qScopeGuard([=] { confirm ? dialog->accept() : dialog->reject(); });
        dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->setValue(copies);
        dialog->findChild<QAbstractButton *>(QStringLiteral("collate"))->setChecked(false);
        dialog->findChild<QAbstractButton *>(QStringLiteral("reverse"))->setChecked(true);
        QTimer::singleShot(0, [=] {
            QDialog *properties = modalDialog();
            QVERIFY(properties && properties != dialog);
            for (QComboBox *combo : properties->findChildren<QComboBox *>()) {
                if (combo->findText(resolution) >= 0)
                    combo->setCurrentIndex(combo->findText(resolution));
            }
            properties->accept();
        });
        dialog->findChild<QAbstractButton *>(QStringLiteral("properties"))->click();
    });
}

} // namespace

class PrintSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void confirmedChoicesAreKept();
};

void PrintSetupTest::confirmedChoicesAreKept()
{
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    if (server.isEmpty() || !QFileInfo::exists(server) ||
        QPrinterInfo::availablePrinterNames().isEmpty())
        QSKIP("no private print server: it starts with the ctest fixture "
              "designer_print_server_start, which could not run here or did not run");

    DesignWindow design;
    QPrinter &printer = design.printer();
    const auto keptChoices = [&printer] {
        const QStringList options = printer.printEngine()->property(QueueOptions).toStringList();
        const qsizetype resolution = options.indexOf(QStringLiteral("Resolution"));
        return QStringLiteral("%1 copies, collated %2, %3, %4")
            .arg(printer.copyCount())
            .arg(printer.collateCopies())
            .arg(QLatin1String(printer.pageOrder() == QPrinter::LastPageFirst ? "last page first"
                                                                              : "first page first"))
            .arg(resolution >= 0 && resolution % 2 == 0 ? options.value(resolution + 1)
                                                        : QStringLiteral("default"));
    };

    answerPrintDialog(3, QStringLiteral("600 DPI"), true);
    click(design, "Command11");
    QCOMPARE(keptChoices(), QStringLiteral("3 copies, collated 0, last page first, 600dpi"));

    // Cancelled, other choices change nothing; the dialog started from the kept ones.
    QTimer::singleShot(0, [] {
        if (QDialog *dialog = modalDialog())
            QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("copies"))->value(), 3);
    });
    answerPrintDialog(5, QStringLiteral("150 DPI"), false);
    click(design, "Command11");
    QCOMPARE(keptChoices(), QStringLiteral("3 copies, collated 0, last page first, 600dpi"));
}

QTEST_MAIN(PrintSetupTest)
#include "test_print_setup.moc"
