#include "render/canvas.h"

#include "dxf/record_memory.h"
#include "render/ellipse_points.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace quillon {

namespace {

// Style patterns in pixels: on, off, on, off ...; 0 ends the list.
const uint8_t kDash[] = {18, 6, 0};
const uint8_t kDot[] = {3, 3, 0};
const uint8_t kDashDot[] = {9, 6, 3, 6, 0};
const uint8_t kDashDotDot[] = {9, 3, 3, 3, 3, 3, 0};

const uint8_t* PatternOf(TPenStyle style) {
    switch (style) {
    case TPenStyle::psDash: return kDash;
    case TPenStyle::psDot: return kDot;
    case TPenStyle::psDashDot: return kDashDot;
    case TPenStyle::psDashDotDot: return kDashDotDot;
    default: return nullptr;
    }
}

QPainter::CompositionMode CompositionOf(PenMode mode) {
    switch (mode) {
    case PenMode::Xor: return QPainter::RasterOp_SourceXorDestination;
    case PenMode::Not: return QPainter::RasterOp_NotDestination;
    case PenMode::NotXor: return QPainter::RasterOp_NotSourceXorDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// A black picture. A preview's picture is a few megabytes written at once: it takes whole large
// pages of its own, which spare the faults of the small pages.
QImage BlackPicture(int width, int height) {
    struct Pages {
        void* p;
        size_t bytes;
    };
    const size_t used = size_t(width) * size_t(height) * 4, bytes = WholeLargePages(used);
    void* p = TakesLargePages(used) ? AllocateLargeArray(bytes) : nullptr;
    QImage picture =
        p ? QImage(
                static_cast<uchar*>(p), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                [](void* info) {
                    const auto* pages = static_cast<Pages*>(info);
                    FreeLargeArray(pages->p, pages->bytes);
                    delete pages;
                },
                new Pages{p, bytes})
          : QImage(width, height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

} // namespace

QRgb ToRgb(TColor c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor FromRgb(QRgb c) {
    return TColor(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16));
}

Canvas::Canvas(int width, int height)
    : image_(BlackPicture(std::max(width, 1), std::max(height, 1))) {
    attach();
    font_ = QFont(QStringLiteral("IPAGothic"));
    font_.setStyleStrategy(QFont::NoAntialias);
}

Canvas::Canvas(const QImage& picture) : image_(picture.convertToFormat(QImage::Format_RGB32)) {
    if (image_.isNull()) image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.setDevicePixelRatio(1); // drawn in its own pixels, whatever ratio it is shown at
    attach();
    font_ = QFont(QStringLiteral("IPAGothic"));
    font_.setStyleStrategy(QFont::NoAntialias);
}

void Canvas::attach() {
    bits_ = reinterpret_cast<uint32_t*>(image_.bits());
    stride_ = int(image_.bytesPerLine() / 4);
    width_ = image_.width();
    height_ = image_.height();
}

void Canvas::frame(int left, int top, int right, int bottom) {
    QPainter& p = painter();
    const Qt::PenStyle style = penStyle_ == TPenStyle::psDashDotDot ? Qt::DashDotDotLine
                               : penStyle_ == TPenStyle::psDashDot  ? Qt::DashDotLine
                               : penStyle_ == TPenStyle::psDash     ? Qt::DashLine
                               : penStyle_ == TPenStyle::psDot      ? Qt::DotLine
                                                                    : Qt::SolidLine;
    p.setPen(QPen(QColor::fromRgb(ToRgb(penColor_)), penWidth_, style, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(CompositionOf(mode_));
    p.drawRect(QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                     QPoint(std::max(left, right), std::max(top, bottom))));
}

Canvas::~Canvas() {
    endPainter();
}

const QImage& Canvas::image() {
    endPainter();
    return image_;
}

QPainter& Canvas::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        fontApplied_ = false;
    }
    return *painter_;
}

void Canvas::endPainter() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void Canvas::setPen(TColor color, int width, TPenStyle style) {
    if (color == penColor_ && width == penWidth_ && style == penStyle_) return;
    penColor_ = color;
    penRgb_ = ToRgb(color) & 0x00FFFFFF;
    penWidth_ = width;
    penStyle_ = style;
    pattern_ = PatternOf(style);
    patternIndex_ = 0;
    patternLeft_ = pattern_ ? pattern_[0] : 0;
    ++penChanges_;
}

void Canvas::setPenMode(PenMode mode) {
    mode_ = mode;
}

// Advances the style pattern by one pixel; true when that pixel is drawn.
bool Canvas::styleOn() {
    if (!pattern_) return true;
    const bool on = (patternIndex_ & 1) == 0;
    if (--patternLeft_ == 0) {
        ++patternIndex_;
        if (pattern_[patternIndex_] == 0) patternIndex_ = 0;
        patternLeft_ = pattern_[patternIndex_];
    }
    return on;
}

inline void Canvas::plot(int x, int y) {
    if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return;
    uint32_t& p = bits_[size_t(y) * size_t(stride_) + size_t(x)];
    switch (mode_) {
    case PenMode::Copy: p = 0xFF000000u | penRgb_; break;
    case PenMode::Xor: p = 0xFF000000u | ((p ^ penRgb_) & 0x00FFFFFFu); break;
    case PenMode::Not: p = 0xFF000000u | (~p & 0x00FFFFFFu); break;
    case PenMode::NotXor: p = 0xFF000000u | (~(p ^ penRgb_) & 0x00FFFFFFu); break;
    }
}

// The Bresenham steps of a segment: n pixels along the major axis, the minor offset growing by
// minor / major a step.
struct Canvas::LineSteps {
    LineSteps(int x0, int y0, int x1, int y1) {
        const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
        const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
        xMajor = adx >= ady;
        n = xMajor ? adx : ady; // pixels 0 .. n-1; the end pixel is not set
        major = n;
        minor = xMajor ? ady : adx;
        sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1;
        sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    }
    bool xMajor;
    int64_t n, major, minor;
    int sMajor, sMinor;
};

void Canvas::lineTo(int x1, int y1) {
    const int x0 = curX_, y0 = curY_;
    curX_ = x1;
    curY_ = y1;
    if (log_)
        log_->push_back(
            {DrawnFigure::Segment, x0, y0, x1, y1, 0, 0, 0, 0, penColor_, penWidth_, penStyle_});
    if (penStyle_ == TPenStyle::psClear) return;
    if (penWidth_ > 1) {
        wideLine(x0, y0, x1, y1);
        return;
    }
    endPainter();
    const LineSteps steps(x0, y0, x1, y1);
    if (steps.n == 0) return;
    const bool inside = unsigned(x0) < unsigned(width_) && unsigned(x1) < unsigned(width_) &&
                        unsigned(y0) < unsigned(height_) && unsigned(y1) < unsigned(height_);
    if (inside && !pattern_ && mode_ == PenMode::Copy)
        solidLine(x0, y0, steps);
    else
        clippedLine(x0, y0, inside, steps);
}

// The common case, without checks: a solid copy pen, both ends inside the picture.
inline void Canvas::solidLine(int x0, int y0, const LineSteps& s) {
    const uint32_t rgb = 0xFF000000u | penRgb_;
    const int64_t stepMajor = s.xMajor ? s.sMajor : int64_t(s.sMajor) * stride_;
    const int64_t stepMinor = s.xMajor ? int64_t(s.sMinor) * stride_ : s.sMinor;
    const int64_t twoMajor = 2 * s.major, twoMinor = 2 * s.minor;
    uint32_t* p = bits_ + int64_t(y0) * stride_ + x0;
    int64_t r = s.major - 1;
    for (int64_t i = 0; i < s.n; ++i) {
        *p = rgb;
        p += stepMajor;
        r += twoMinor;
        if (r >= twoMajor) {
            r -= twoMajor;
            p += stepMinor;
        }
    }
}

// Any pen mode and style, either end anywhere: only the steps whose pixel can be inside the
// picture are walked, the others still advance the style pattern.
void Canvas::clippedLine(int x0, int y0, bool inside, const LineSteps& s) {
    const int64_t n = s.n, major = s.major, minor = s.minor;
    const int64_t m0 = s.xMajor ? x0 : y0, n0 = s.xMajor ? y0 : x0;
    const int64_t majorLimit = (s.xMajor ? width_ : height_) - 1;
    const int64_t minorLimit = (s.xMajor ? height_ : width_) - 1;
    // Exact on the major axis, with a margin on the minor one.
    auto stepsBetween = [&](int64_t from, int64_t to, int64_t origin, int sign, double slope,
                            int64_t& lo, int64_t& hi) {
        // One pixel more on each side covers the rounding of the minor coordinate.
        double a = (double(from) - 1 - double(origin)) * sign / slope,
               b = (double(to) + 1 - double(origin)) * sign / slope;
        if (a > b) std::swap(a, b);
        lo = std::max(lo, int64_t(std::floor(a)) - 2);
        hi = std::min(hi, int64_t(std::ceil(b)) + 2);
    };
    int64_t lo = 0, hi = n - 1;
    const int64_t twoMajor = 2 * major, twoMinor = 2 * minor;
    if (!inside) {
        stepsBetween(0, majorLimit, m0, s.sMajor, 1.0, lo, hi);
        if (minor > 0)
            stepsBetween(0, minorLimit, n0, s.sMinor, double(minor) / double(major), lo, hi);
        else if (n0 < 0 || n0 > minorLimit)
            lo = hi + 1;
    }
    auto skip = [&](int64_t count) {
        if (!pattern_ || count <= 0) return;
        int total = 0;
        for (const uint8_t* p = pattern_; *p; ++p) total += *p;
        for (int64_t k = count % total; k > 0; --k) styleOn();
    };
    if (lo > hi) {
        skip(n);
        return;
    }
    skip(lo);
    // Minor offset at step i: i * minor / major rounded to nearest, ties towards the start.
    const int64_t num = lo * twoMinor + major - 1;
    int64_t q = num / twoMajor, r = num % twoMajor;
    for (int64_t i = lo; i <= hi; ++i) {
        const int64_t a = m0 + s.sMajor * i, b = n0 + s.sMinor * q;
        if (styleOn()) {
            if (s.xMajor)
                plot(int(a), int(b));
            else
                plot(int(b), int(a));
        }
        r += twoMinor;
        if (r >= twoMajor) {
            r -= twoMajor;
            ++q;
        }
    }
    skip(n - 1 - hi);
}

void Canvas::wideLine(int x0, int y0, int x1, int y1) {
    QPainter& p = painter();
    QPen pen(QColor::fromRgb(ToRgb(penColor_)), penWidth_, Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    p.setPen(pen);
    p.setCompositionMode(CompositionOf(mode_));
    p.drawLine(x0, y0, x1, y1);
}

void Canvas::setPixel(int x, int y, TColor color) {
    endPainter();
    if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return;
    bits_[size_t(y) * size_t(stride_) + size_t(x)] = ToRgb(color);
}

TColor Canvas::pixel(int x, int y) const {
    if (unsigned(x) >= unsigned(width_) || unsigned(y) >= unsigned(height_)) return 0;
    return FromRgb(bits_[size_t(y) * size_t(stride_) + size_t(x)]);
}

void Canvas::arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
    if (log_)
        log_->push_back({DrawnFigure::Arc, left, top, right, bottom, x1, y1, x2, y2, penColor_,
                         penWidth_, penStyle_});
    if (penStyle_ == TPenStyle::psClear) return;
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const bool full = x1 == x2 && y1 == y2;
    // Directions with y up, so that counter-clockwise on screen is the positive sense.
    const double v1x = x1 - cx, v1y = cy - y1, v2x = x2 - cx, v2y = cy - y2;
    const double c12 = v1x * v2y - v1y * v2x;
    const bool wideSweep = c12 < 0 || (c12 == 0 && v1x * v2x + v1y * v2y > 0);
    const auto inside = [&](const QPoint& p) {
        if (full) return true;
        const double vx = p.x() - cx, vy = cy - p.y();
        const bool afterStart = v1x * vy - v1y * vx >= 0, beforeEnd = vx * v2y - vy * v2x >= 0;
        return wideSweep ? (afterStart || beforeEnd) : (afterStart && beforeEnd);
    };
    if (penWidth_ > 1) {
        QPainter& p = painter();
        p.setPen(QPen(QColor::fromRgb(ToRgb(penColor_)), penWidth_, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.setCompositionMode(CompositionOf(mode_));
        p.setBrush(Qt::NoBrush);
        const QRectF box(left, top, right - left, bottom - top);
        if (full) {
            p.drawEllipse(box);
        } else {
            const double a1 = std::atan2(v1y, v1x) * 180 / M_PI,
                         a2 = std::atan2(v2y, v2x) * 180 / M_PI;
            double sweep = a2 - a1;
            if (sweep <= 0) sweep += 360;
            p.drawArc(box, int(std::lround(a1 * 16)), int(std::lround(sweep * 16)));
        }
        return;
    }
    endPainter();
    const double a = std::fabs(right - left) / 2.0, b = std::fabs(bottom - top) / 2.0;
    if (a < 4096 && b < 4096 && !pattern_ && mode_ == PenMode::Copy) {
        // A solid copy pen needs no order and does not mind a point visited twice.
        const uint32_t rgb = 0xFF000000u | penRgb_;
        const int w = width_, h = height_;
        const auto put = [&](int64_t x, int64_t y) {
            if (uint64_t(x) < uint64_t(w) && uint64_t(y) < uint64_t(h))
                bits_[y * stride_ + x] = rgb;
        };
        const int x0 = std::min(left, right), y0 = std::min(top, bottom);
        const int xe = std::max(left, right), ye = std::max(top, bottom);
        if (full)
            WalkEllipse(x0, y0, xe, ye, [&](int, int64_t x, int64_t y) { put(x, y); });
        else
            WalkEllipse(x0, y0, xe, ye, [&](int, int64_t x, int64_t y) {
                if (inside(QPoint(int(x), int(y)))) put(x, y);
            });
        return;
    }
    if (a < 4096 && b < 4096) {
        orderedEllipse(std::min(left, right), std::min(top, bottom), std::max(left, right),
                       std::max(top, bottom), arcPoints_);
    } else { // very large: only the rows and columns that can be seen, unless a style needs order
        const bool needOrder = (pattern_ || mode_ != PenMode::Copy) && (a + b) < 1e5;
        EllipsePoints(left, top, right, bottom, needOrder, QSize(width_, height_), arcPoints_);
    }
    const size_t n = arcPoints_.size();
    if (n == 0) return;
    size_t start = 0;
    if (!full) { // begin at the first point of the arc, so that it is walked in one run
        for (size_t i = 0; i < n; ++i)
            if (inside(arcPoints_[i]) && !inside(arcPoints_[(i + n - 1) % n])) {
                start = i;
                break;
            }
    }
    for (size_t k = 0; k < n; ++k) {
        const QPoint& p = arcPoints_[(start + k) % n];
        if (!inside(p)) continue;
        if (styleOn()) plot(p.x(), p.y());
    }
}

// The same points in counter-clockwise screen order from the rightmost point: the upper right
// quarter as walked, the upper left one backwards, the lower left as walked, the lower right
// backwards.
void Canvas::orderedEllipse(int x0, int y0, int x1, int y1, std::vector<QPoint>& out) {
    for (auto& q : quarters_) q.clear();
    WalkEllipse(x0, y0, x1, y1,
                [&](int q, int64_t x, int64_t y) { quarters_[q].emplace_back(int(x), int(y)); });
    out.clear();
    const auto add = [&](const QPoint& p) {
        if (out.empty() || out.back() != p) out.push_back(p);
    };
    for (const QPoint& p : quarters_[0]) add(p);
    for (auto it = quarters_[1].rbegin(); it != quarters_[1].rend(); ++it) add(*it);
    for (const QPoint& p : quarters_[2]) add(p);
    for (auto it = quarters_[3].rbegin(); it != quarters_[3].rend(); ++it) add(*it);
    while (out.size() > 1 && out.front() == out.back()) out.pop_back();
}

void Canvas::fillRect(int left, int top, int right, int bottom, TColor color) {
    endPainter();
    const int x0 = std::max(left, 0), x1 = std::min(right, width_);
    const int y0 = std::max(top, 0), y1 = std::min(bottom, height_);
    const uint32_t rgb = ToRgb(color);
    for (int y = y0; y < y1; ++y)
        std::fill_n(bits_ + size_t(y) * size_t(stride_) + x0, std::max(0, x1 - x0), rgb);
}

void Canvas::fillPath(const QPainterPath& path, TColor color) {
    QPainter& p = painter();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(ToRgb(color)));
    p.setCompositionMode(CompositionOf(mode_));
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void Canvas::setFont(const QFont& font) {
    if (font == font_) return;
    font_ = font;
    fontApplied_ = false;
}

int Canvas::textWidth(const QString& text) {
    return QFontMetrics(font_).horizontalAdvance(text);
}

void Canvas::textOut(int x, int y, double angleDegrees, const QString& text) {
    QPainter& p = painter();
    if (!fontApplied_) {
        p.setFont(font_);
        fontApplied_ = true;
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QColor::fromRgb(ToRgb(textColor_)));
    const int ascent = p.fontMetrics().ascent();
    if (angleDegrees == 0) {
        p.drawText(x, y + ascent, text);
        return;
    }
    p.save();
    p.translate(x, y);
    p.rotate(-angleDegrees);
    p.drawText(0, ascent, text);
    p.restore();
}

QImage ShrinkKeepBrightest(const QImage& source, const QRect& area, QSize size) {
    QImage out(size, QImage::Format_RGB32);
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const QRect part = area.intersected(src.rect());
    const int sw = part.width(), sh = part.height(), tw = size.width(), th = size.height();
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0) return out;
    for (int ty = 0; ty < th; ++ty) {
        const int sy0 = part.top() + int(int64_t(ty) * sh / th);
        const int sy1 = std::max(sy0, part.top() + int(int64_t(ty + 1) * sh / th) - 1);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(ty));
        for (int tx = 0; tx < tw; ++tx) {
            const int sx0 = part.left() + int(int64_t(tx) * sw / tw);
            const int sx1 = std::max(sx0, part.left() + int(int64_t(tx + 1) * sw / tw) - 1);
            QRgb v = 0;
            for (int sy = sy0; sy <= sy1; ++sy) {
                const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
                for (int sx = sx0; sx <= sx1; ++sx) v |= s[sx];
            }
            line[tx] = v | 0xFF000000u;
        }
    }
    return out;
}

void ClearCanvas(Canvas& canvas, int width, int height, TColor color) {
    canvas.setPenMode(PenMode::Copy);
    canvas.fillRect(0, 0, width, height, color);
    canvas.setPen(0xFFFFFF, canvas.penWidth(), canvas.penStyle());
}

} // namespace quillon
