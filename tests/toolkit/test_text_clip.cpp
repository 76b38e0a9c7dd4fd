// A fixed text box (the lower information block) shows only what fits in it, on the screen and
// on paper alike; a line that fits only partly is cut at the box's edge. Whatever the painter
// was clipped to before still holds, and nothing drawn after the box is clipped by it.
#include "toolkit/canvas.h"
#include "toolkit/fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTest>

using namespace vm;

class TextClipTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void fixedBoxShowsWhatFits_data();
    void fixedBoxShowsWhatFits();
};

void TextClipTest::fixedBoxShowsWhatFits_data()
{
    QTest::addColumn<qreal>("scale");     // device pixels per design pixel
    QTest::addColumn<QRectF>("pageClip"); // the painter's own clip, design pixels; none if empty
    QTest::newRow("screen") << 1.0 << QRectF();
    QTest::newRow("paper at 600 dpi") << 600.0 / 96.0 << QRectF();
    QTest::newRow("paper clipped to its page") << 600.0 / 96.0 << QRectF(0, 0, 70, 200);
}

void TextClipTest::fixedBoxShowsWhatFits()
{
    QFETCH(qreal, scale);
    QFETCH(QRectF, pageClip);
    Canvas canvas;
    Element &sheet = canvas.add(QStringLiteral("Shape1"), ElementKind::Rectangle);
    sheet.setGeometry(0, 0, 200, 200);
    sheet.setFilled(true);
    sheet.setBorderStyle(Qt::NoPen);
    sheet.setBackColor(White);
    Element &block = canvas.add(QStringLiteral("Label27"), ElementKind::Text);
    block.setAutoSize(false);
    const FontSpec font{QStringLiteral("Arial"), 12};
    block.setFont(font);
    block.setForeColor(0);
    // Two lines and a half fit; a word wider than the box and eight more lines do not.
    const qreal line = QFontMetricsF(toQFont(font), &measuringDevice()).height();
    block.setGeometry(20, 20, 100, float(2.5 * line));
    block.setCaption(QStringLiteral("HHHH HHHH HHHH HHHHHHHHHHHHHHHHHHHH") +
                     QStringLiteral(" HHHH HHHH").repeated(8));
    QVERIFY(block.wrappedLines().size() > 6);
    // Drawn after the box, outside it.
    Element &mark = canvas.add(QStringLiteral("Shape2"), ElementKind::Rectangle);
    mark.setGeometry(2, 150, 12, 12);
    mark.setFilled(true);
    mark.setBackColor(0x0000FF);

    QImage image(QSize(200, 200) * scale, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(3780 * scale));
    image.setDotsPerMeterY(qRound(3780 * scale));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    if (!pageClip.isEmpty())
        painter.setClipRect(pageClip);
    canvas.paint(painter, QRectF(0, 0, 200, 200));
    painter.end();

    // Dark pixels within a rectangle of design pixels.
    const auto ink = [&](const QRectF &area) {
        const QRect pixels = QTransform::fromScale(scale, scale).mapRect(area).toRect();
        int dark = 0;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    const QRectF box = block.rect();
    QVERIFY(ink(QRectF(box.left(), box.top(), 50, 2 * line)) > 0);
    // The third line shows the top of its letters, cut at the bottom edge.
    QVERIFY(ink(QRectF(box.left(), box.top() + 2 * line, 50, box.bottom() - 1 - 2 * line)) > 0);
    QCOMPARE(ink(QRectF(16, box.bottom() + 1, 124, 140 - box.bottom())), 0);
    QCOMPARE(ink(QRectF(box.right() + 1, 0, 200 - box.right() - 2, 200)), 0);
    // The page's clip still holds inside the box.
    QCOMPARE(ink(QRectF(80, box.top(), box.right() - 81, box.height() - 1)) > 0,
             pageClip.isEmpty());
    QCOMPARE(image.pixelColor(QPoint(8, 156) * scale), QColor(Qt::red));
}

QTEST_MAIN(TextClipTest)
#include "test_text_clip.moc"
