// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/canvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vm {

namespace {

// Pictures print at up to 600 dpi; a design pixel is 1/96 inch.
constexpr qreal PaperDetail = 600.0 / 96.0;

// The screen keeps a picture scaled to its box when the box is no larger than this (64 MiB).
constexpr qreal LargestScreenCacheSide = 16384;
constexpr qreal LargestScreenCachePixels = 4096.0 * 4096.0;

} // namespace

Element::Element(Canvas *canvas, QString name, ElementKind kind)
    : m_canvas(canvas), m_name(std::move(name)), m_kind(kind)
{
    if (kind == ElementKind::Text)
        resizeToText();
}

void Element::changed()
{
    if (m_canvas)
        m_canvas->elementChanged(this);
}

void Element::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    changed();
}

void Element::setLeft(float left)
{
    m_left = left;
    changed();
}

void Element::setTop(float top)
{
    m_top = top;
    changed();
}

void Element::setWidth(float width)
{
    m_width = width;
    if (m_kind == ElementKind::Text && m_autoSize)
        resizeToText();
    changed();
}

void Element::setHeight(float height)
{
    m_height = height;
    if (m_kind == ElementKind::Text && m_autoSize)
        resizeToText();
    changed();
}

void Element::setGeometry(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (m_kind == ElementKind::Text && m_autoSize)
        resizeToText();
    changed();
}

void Element::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    resizeToText();
    changed();
    if (m_canvas)
        emit m_canvas->captionChanged(this);
}

void Element::setFont(const FontSpec &font)
{
    m_font = font;
    resizeToText();
    changed();
}

void Element::setFontName(const QString &name)
{
    FontSpec font = m_font;
    font.name = name;
    setFont(font);
}

void Element::setFontSize(float points)
{
    FontSpec font = m_font;
    font.size = points;
    setFont(font);
}

void Element::setFontBold(bool on)
{
    FontSpec font = m_font;
    font.bold = on;
    setFont(font);
}

void Element::setFontItalic(bool on)
{
    FontSpec font = m_font;
    font.italic = on;
    setFont(font);
}

void Element::setFontUnderline(bool on)
{
    FontSpec font = m_font;
    font.underline = on;
    setFont(font);
}

void Element::setFontStrikethru(bool on)
{
    FontSpec font = m_font;
    font.strikethru = on;
    setFont(font);
}

void Element::setForeColor(ColorRef colour)
{
    m_foreColor = colour;
    changed();
}

void Element::setBorder(bool on)
{
    m_border = on;
    changed();
}

void Element::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    changed();
}

void Element::setAutoSize(bool on)
{
    m_autoSize = on;
    resizeToText();
    changed();
}

void Element::setPicture(const QImage &picture)
{
    m_picture = picture;
    m_screenCache = QImage();
    changed();
    // Once the screen has shown the picture, keep only what paper shows of it: printing then
    // has nothing left to scale, and the picture takes no more memory than it needs.
    if (m_canvas && !picture.isNull())
        QMetaObject::invokeMethod(
            m_canvas, [this] { fitPictureToPaper(); }, Qt::QueuedConnection);
}

QImage Element::fittedPicture(qreal devicePixelsX, qreal devicePixelsY) const
{
    // Rounded up, as the picture loader does, so a picture decoded for its box is used as it
    // is.
    const auto most = [](float length, qreal perPixel) {
        const double pixels = std::ceil(double(length) * std::min(perPixel, PaperDetail));
        return int(std::clamp(pixels, 1.0, double(std::numeric_limits<int>::max())));
    };
    const int width = std::min(m_picture.width(), most(m_width, devicePixelsX));
    const int height = std::min(m_picture.height(), most(m_height, devicePixelsY));
    if (width == m_picture.width() && height == m_picture.height())
        return m_picture;
    return m_picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void Element::fitPictureToPaper()
{
    if (m_kind == ElementKind::Picture && !m_picture.isNull() && m_width > 0 && m_height > 0)
        m_picture = fittedPicture(PaperDetail, PaperDetail);
}

void Element::setLine(float x1, float y1, float x2, float y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    changed();
}

void Element::setX2(float x2)
{
    m_x2 = x2;
    changed();
}

void Element::setBorderWidth(int width)
{
    m_borderWidth = width;
    changed();
}

void Element::setBorderColor(ColorRef colour)
{
    m_borderColor = colour;
    changed();
}

void Element::setBorderStyle(Qt::PenStyle style)
{
    m_borderStyle = style;
    changed();
}

void Element::setBackColor(ColorRef colour)
{
    m_backColor = colour;
    changed();
}

void Element::setFilled(bool filled)
{
    m_filled = filled;
    changed();
}

void Element::resizeToText()
{
    if (m_kind != ElementKind::Text || !m_autoSize)
        return;
    const QFontMetricsF metrics(toQFont(m_font), &const_cast<QPaintDevice &>(measuringDevice()));
    m_width = static_cast<float>(std::ceil(metrics.horizontalAdvance(m_caption)));
    m_height = static_cast<float>(std::ceil(metrics.height()));
}

QStringList Element::wrappedLines() const
{
    if (m_autoSize)
        return {m_caption};
    const QFontMetricsF metrics(toQFont(m_font), &const_cast<QPaintDevice &>(measuringDevice()));
    QStringList lines;
    const QStringList paragraphs =
        QString(m_caption).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    for (const QString &paragraph : paragraphs) {
        QString line;
        const QStringList words = paragraph.split(u' ');
        for (const QString &word : words) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > m_width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

void Element::paint(QPainter &painter) const
{
    if (!m_visible)
        return;
    switch (m_kind) {
    case ElementKind::Rectangle: {
        const QRectF box = rect();
        if (m_filled)
            painter.fillRect(box, toQColor(m_backColor));
        if (m_borderStyle != Qt::NoPen && m_borderWidth > 0) {
            // The border lies inside the bounds, however thick it is.
            const qreal w = m_borderWidth;
            QPen pen(toQColor(m_borderColor), w, m_borderStyle, Qt::SquareCap, Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(w / 2, w / 2, -w / 2, -w / 2));
        }
        break;
    }
    case ElementKind::Line: {
        if (m_borderWidth <= 0 || m_borderStyle == Qt::NoPen)
            break;
        QPen pen(toQColor(m_borderColor), m_borderWidth, m_borderStyle, Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(QPointF(m_x1, m_y1), QPointF(m_x2, m_y2));
        break;
    }
    case ElementKind::Picture: {
        if (m_picture.isNull() || m_width <= 0 || m_height <= 0)
            break;
        const QRectF box = rect();
        const QTransform t = painter.deviceTransform();
        if (t.type() <= QTransform::TxTranslate && box.width() <= LargestScreenCacheSide &&
            box.height() <= LargestScreenCacheSide &&
            box.width() * box.height() <= LargestScreenCachePixels) {
            // On the screen the picture is drawn at its box size; scaling it once and
            // keeping the result makes repaints cheap for large pictures.
            const QSize size(qRound(box.width()), qRound(box.height()));
            if (m_screenCache.size() != size)
                m_screenCache =
                    m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            painter.drawImage(box.topLeft(), m_screenCache);
        } else if (t.type() <= QTransform::TxTranslate) {
            // A box far larger than any cover (a damaged file or the size fields can make
            // one) would need gigabytes scaled whole; only the part that shows is drawn.
            m_screenCache = QImage();
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(box, m_picture);
            painter.restore();
        } else {
            // On paper a picture keeps at most 600 dpi of its box (and no more than the device
            // has): finer detail does not show, and a vector device such as a PDF file would
            // carry every pixel of it.
            const QImage picture =
                fittedPicture(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
            painter.save();
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(box, picture);
            painter.restore();
        }
        break;
    }
    case ElementKind::Text: {
        const QRectF box = rect();
        painter.setFont(toQFont(m_font, painter.device()));
        painter.setPen(toQColor(m_foreColor));
        const QFontMetricsF metrics(toQFont(m_font),
                                    &const_cast<QPaintDevice &>(measuringDevice()));
        const QStringList lines = wrappedLines();
        if (!m_autoSize) {
            // A fixed box shows only what fits in it: a line that fits partly is cut at the
            // edge, as the box looks on every device, and hints that the text goes on. The
            // painter's own clip (a page's) still holds; it comes back after the box.
            painter.save();
            painter.setClipRect(box, Qt::IntersectClip);
        }
        qreal y = m_top + metrics.ascent();
        for (const QString &line : lines) {
            if (!m_autoSize && y - metrics.ascent() >= box.bottom())
                break; // the rest lies below the box
            qreal x = m_left;
            if (!m_autoSize) {
                const qreal free = m_width - metrics.horizontalAdvance(line);
                if (m_alignment & Qt::AlignHCenter)
                    x += free / 2;
                else if (m_alignment & Qt::AlignRight)
                    x += free;
            }
            painter.drawText(QPointF(x, y), line);
            y += metrics.height();
        }
        if (!m_autoSize)
            painter.restore();
        if (m_border) {
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        }
        break;
    }
    }
}

Canvas::Canvas(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas::~Canvas() = default;

Element &Canvas::add(const QString &name, ElementKind kind)
{
    m_elements.push_back(std::make_unique<Element>(this, name, kind));
    m_order.push_back(m_elements.back().get());
    update();
    return *m_elements.back();
}

Element *Canvas::find(QStringView name) const
{
    for (const auto &element : m_elements) {
        if (element->name() == name)
            return element.get();
    }
    return nullptr;
}

Element &Canvas::element(QStringView name) const
{
    Element *found = find(name);
    Q_ASSERT_X(found, "Canvas::element", "no element of that name");
    return *found;
}

void Canvas::bringToFront(Element &element)
{
    auto it = std::find(m_order.begin(), m_order.end(), &element);
    if (it == m_order.end() || it + 1 == m_order.end())
        return;
    m_order.erase(it);
    m_order.push_back(&element);
    update();
}

void Canvas::setBackground(const QColor &colour)
{
    m_background = colour;
    update();
}

void Canvas::paint(QPainter &painter, const QRectF &area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(area, m_background);
    for (const Element *element : m_order)
        element->paint(painter);
    painter.restore();
}

QImage Canvas::render(const QRect &area) const
{
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    paint(painter, area);
    return image;
}

Element *Canvas::elementAt(const QPointF &point) const
{
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        Element *element = *it;
        if (!element->isVisible())
            continue;
        if (element->kind() != ElementKind::Text && element->kind() != ElementKind::Picture)
            continue;
        if (element->rect().contains(point))
            return element;
    }
    return nullptr;
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paint(painter, event->rect());
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved(elementAt(event->position()));
    QWidget::mouseMoveEvent(event);
}

void Canvas::elementChanged(Element *)
{
    update();
}

} // namespace vm
