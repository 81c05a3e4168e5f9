// A 32-bit picture with the drawing rules of the preview: 1-pixel cosmetic pens, styles and
// pen modes rasterised here (first pixel set, last pixel not set, the style pattern carried from
// one segment to the next), arcs from a bounding rectangle and two radial points; text, wide
// pens, rectangles and fills through QPainter.
#pragma once

#include "dxf/model.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <memory>
#include <vector>

namespace quillon {

enum class PenMode { Copy, Xor, Not, NotXor };

// One figure a canvas drew, as a recording canvas keeps it: a segment from (x0, y0) to
// (x1, y1), or an arc of the box (x0, y0)-(x1, y1) from ray (sx, sy) to ray (ex, ey).
struct DrawnFigure {
    enum Kind { Segment, Arc } kind;
    int x0, y0, x1, y1;
    int sx = 0, sy = 0, ex = 0, ey = 0;
    TColor color;
    int width;
    TPenStyle style;
};

QRgb ToRgb(TColor c);
TColor FromRgb(QRgb c);

class Canvas {
public:
    Canvas(int width, int height);
    explicit Canvas(const QImage& picture); // draws on a copy of the picture
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    // The picture as drawn so far (pending text and fills are flushed first).
    const QImage& image();

    // The pen changes only where it differs from the current one.
    void setPen(TColor color, int width, TPenStyle style);
    void setPenMode(PenMode mode);
    PenMode penMode() const { return mode_; }
    int penWidth() const { return penWidth_; }
    TPenStyle penStyle() const { return penStyle_; }
    int penChanges() const { return penChanges_; }

    void moveTo(int x, int y) { curX_ = x, curY_ = y; }
    void lineTo(int x, int y); // the end pixel is not set
    // The arc of the ellipse inscribed in (left, top)-(right, bottom), counter-clockwise on
    // screen from the ray through (x1, y1) to the ray through (x2, y2); the whole ellipse when
    // the two points are equal.
    void arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
    void setPixel(int x, int y, TColor color);
    TColor pixel(int x, int y) const;

    // From now on every segment and arc is also appended to the log (none: no longer).
    void record(std::vector<DrawnFigure>* log) { log_ = log; }
    bool recording() const { return log_ != nullptr; }

    // Two canvases drawn at once are put together by these (two_canvases.cpp).
    friend std::unique_ptr<Canvas> Overlay(const Canvas& canvas);
    friend void LayOver(Canvas& canvas, const Canvas& later);

    // The outline of the rectangle with the current pen, in one stroke (each pixel once).
    void frame(int left, int top, int right, int bottom);

    // Filled rectangle (left, top) to (right, bottom), right and bottom excluded.
    void fillRect(int left, int top, int right, int bottom, TColor color);

    // Fills the path (pixel coordinates, its own fill rule) in the colour with the pen mode.
    void fillPath(const QPainterPath& path, TColor color);

    // Text: the font changes only where it differs; transparent background.
    void setFont(const QFont& font);
    const QFont& font() const { return font_; }
    void setTextColor(TColor color) { textColor_ = color; }
    int textWidth(const QString& text);
    // Writes text with its top-left corner at (x, y), turned by angle degrees
    // counter-clockwise about that corner.
    void textOut(int x, int y, double angleDegrees, const QString& text);

private:
    void plot(int x, int y);
    bool styleOn();
    struct LineSteps;
    void solidLine(int x0, int y0, const LineSteps& s);
    void clippedLine(int x0, int y0, bool inside, const LineSteps& s);
    void wideLine(int x0, int y0, int x1, int y1);
    void orderedEllipse(int x0, int y0, int x1, int y1, std::vector<QPoint>& out);
    QPainter& painter();
    void endPainter();

    void attach(); // takes the size and the bits of image_

    QImage image_;
    uint32_t* bits_ = nullptr;
    int stride_ = 0, width_ = 0, height_ = 0;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    bool fontApplied_ = false;
    TColor textColor_ = 0;

    TColor penColor_ = 0;
    uint32_t penRgb_ = 0;
    int penWidth_ = 1;
    TPenStyle penStyle_ = TPenStyle::psSolid;
    PenMode mode_ = PenMode::Copy;
    const uint8_t* pattern_ = nullptr; // run lengths, on/off alternating, 0-terminated
    int patternIndex_ = 0, patternLeft_ = 0;
    int penChanges_ = 0;
    int curX_ = 0, curY_ = 0;
    std::vector<QPoint> arcPoints_, quarters_[4];
    std::vector<DrawnFigure>* log_ = nullptr;
};

// Shrinks a part of a picture keeping the brightest: every target pixel is the bitwise OR of
// the source pixels merged into it.
QImage ShrinkKeepBrightest(const QImage& source, const QRect& part, QSize size);

// Fills the picture with the colour and leaves a white pen in copy mode.
void ClearCanvas(Canvas& canvas, int width, int height, TColor color);

inline TColor InvertColor(TColor c) {
    return 0xFFFFFF - (c & 0xFFFFFF);
}

} // namespace quillon
