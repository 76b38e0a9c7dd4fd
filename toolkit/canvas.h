// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/colours.h"
#include "toolkit/fonts.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QPainter;

namespace vm {

class Canvas;

enum class ElementKind
{
    Text,
    Picture,
    Line,
    Rectangle
};

// One drawn element of a canvas. Every element kind keeps the same set of properties (a
// text has no end points, a line no caption); each setter repaints the canvas and, for an
// auto-sized text, sizes the text at once so that handlers can read its new width.
// Positions and sizes are design pixels (1/96 inch) from the canvas's top-left corner.
class Element
{
public:
    Element(Canvas *canvas, QString name, ElementKind kind);

    const QString &name() const { return m_name; }
    ElementKind kind() const { return m_kind; }

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(float left);
    void setTop(float top);
    void setWidth(float width);
    void setHeight(float height);
    void setGeometry(float left, float top, float width, float height);
    QRectF rect() const { return QRectF(m_left, m_top, m_width, m_height); }

    // Text elements.
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);
    const FontSpec &font() const { return m_font; }
    void setFont(const FontSpec &font);
    void setFontName(const QString &name);
    void setFontSize(float points);
    void setFontBold(bool on);
    void setFontItalic(bool on);
    void setFontUnderline(bool on);
    void setFontStrikethru(bool on);
    ColorRef foreColor() const { return m_foreColor; }
    void setForeColor(ColorRef colour);
    bool hasBorder() const { return m_border; } // a thin black outline around the text's box
    void setBorder(bool on);
    Qt::Alignment alignment() const { return m_alignment; } // left, centre or right
    void setAlignment(Qt::Alignment alignment);
    // Auto-sized texts take the width and height of their text; others keep a fixed box in
    // which the words wrap, and show only what fits in it.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    // Picture elements: the image is drawn stretched into the box.
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);
    void clearPicture() { setPicture(QImage()); }
    // Keeps no more of the picture than paper shows, 600 dpi of its box. Runs by itself soon
    // after a picture is set, once the event loop is idle.
    void fitPictureToPaper();

    // Line elements: end points; lines and rectangles share the border properties.
    float x1() const { return m_x1; }
    float y1() const { return m_y1; }
    float x2() const { return m_x2; }
    float y2() const { return m_y2; }
    void setLine(float x1, float y1, float x2, float y2);
    void setX2(float x2);
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);
    ColorRef borderColor() const { return m_borderColor; }
    void setBorderColor(ColorRef colour);
    Qt::PenStyle borderStyle() const { return m_borderStyle; } // Qt::NoPen: no border
    void setBorderStyle(Qt::PenStyle style);

    // Rectangle elements: an optional opaque fill; the border is drawn inside the bounds.
    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef colour);
    bool isFilled() const { return m_filled; }
    void setFilled(bool filled);

    // Draws the element onto a painter in design pixels (see Canvas::paint).
    void paint(QPainter &painter) const;

    // The lines a fixed text box shows, measured at 96 dpi so that the screen and the
    // printer break the words in the same places.
    QStringList wrappedLines() const;

private:
    void changed();
    void resizeToText();
    // The picture reduced to what a device of this many pixels per design pixel shows, at most
    // 600 dpi of the box.
    QImage fittedPicture(qreal devicePixelsX, qreal devicePixelsY) const;

    Canvas *m_canvas;
    QString m_name;
    ElementKind m_kind;
    bool m_visible = true;
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;

    QString m_caption;
    FontSpec m_font;
    ColorRef m_foreColor = SystemWindowText;
    bool m_border = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;

    QImage m_picture;
    mutable QImage m_screenCache; // the picture at its box size, for unscaled painting

    float m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    int m_borderWidth = 1;
    ColorRef m_borderColor = SystemWindowText;
    Qt::PenStyle m_borderStyle = Qt::SolidLine;
    ColorRef m_backColor = White;
    bool m_filled = false;
};

// A drawn surface holding elements in one stacking order, back to front. One paint function
// draws them onto any painter: the screen, a test image or a printer page.
class Canvas : public QWidget
{
    Q_OBJECT

public:
    explicit Canvas(QWidget *parent = nullptr);
    ~Canvas() override;

    // Adds an element in front of all others.
    Element &add(const QString &name, ElementKind kind);
    Element *find(QStringView name) const;
    Element &element(QStringView name) const; // the name must exist
    const std::vector<Element *> &stackingOrder() const { return m_order; }

    void bringToFront(Element &element);

    // The colour around and behind the elements (the window's background).
    QColor background() const { return m_background; }
    void setBackground(const QColor &colour);

    // Paints the background over `area` and the visible elements back to front, in design
    // pixels. For a printer, scale the painter by resolution / 96 first.
    void paint(QPainter &painter, const QRectF &area) const;

    // An image of `area` at 96 dpi as the screen shows it (without child widgets).
    QImage render(const QRect &area) const;

    // The topmost visible text or picture under a point; lines and rectangles let the
    // pointer through. Nothing when the pointer is over the bare background.
    Element *elementAt(const QPointF &point) const;

signals:
    // The pointer moved over the canvas; `element` is what lies under it, or null.
    void pointerMoved(vm::Element *element);
    // A text element's caption was changed, by whatever write: handlers that follow a text
    // (a line that centres itself on its new width) hang on this.
    void captionChanged(vm::Element *element);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    friend class Element;
    void elementChanged(Element *element);

    std::vector<std::unique_ptr<Element>> m_elements;
    std::vector<Element *> m_order;
    QColor m_background = QColor(0xC0, 0xC0, 0xC0);
};

} // namespace vm
