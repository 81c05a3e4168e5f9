#include "render/canvas.h"

#include "dxf/record_memory.h"

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

std::unique_ptr<Canvas> Canvas::overlay() const {
    auto o = std::make_unique<Canvas>(width_, height_);
    std::fill_n(o->bits_, qsizetype(o->stride_) * o->height_, 0u);
    return o;
}

void Canvas::layOver(const Canvas& later) {
    endPainter();
    // Every pixel a pen sets is opaque; the untouched ones of an overlay are not.
    for (int y = 0; y < std::min(height_, later.height_); ++y) {
        uint32_t* to = bits_ + qsizetype(y) * stride_;
        const uint32_t* from = later.bits_ + qsizetype(y) * later.stride_;
        for (int x = 0; x < std::min(width_, later.width_); ++x) {
            const uint32_t set = uint32_t(int32_t(from[x]) >> 31); // all ones where opaque
            to[x] = (from[x] & set) | (to[x] & ~set);
        }
    }
    penColor_ = later.penColor_;
    penRgb_ = later.penRgb_;
    penWidth_ = later.penWidth_;
    penStyle_ = later.penStyle_;
    pattern_ = later.pattern_;
    patternIndex_ = later.patternIndex_;
    patternLeft_ = later.patternLeft_;
    penChanges_ += later.penChanges_;
    curX_ = later.curX_;
    curY_ = later.curY_;
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
    const int64_t dx = int64_t(x1) - x0, dy = int64_t(y1) - y0;
    const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
    const bool xMajor = adx >= ady;
    const int64_t n = xMajor ? adx : ady; // pixels 0 .. n-1; the end pixel is not set
    if (n == 0) return;
    const int64_t major = n, minor = xMajor ? ady : adx;
    const int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1, sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t m0 = xMajor ? x0 : y0, n0 = xMajor ? y0 : x0;
    const int64_t majorLimit = (xMajor ? width_ : height_) - 1;
    const int64_t minorLimit = (xMajor ? height_ : width_) - 1;

    // Steps whose pixel can be inside the picture: exact on the major axis, with a margin on
    // the minor one. Skipped steps still advance the style pattern.
    auto stepsBetween = [&](int64_t from, int64_t to, int64_t origin, int s, double slope,
                            int64_t& lo, int64_t& hi) {
        // One pixel more on each side covers the rounding of the minor coordinate.
        double a = (double(from) - 1 - double(origin)) * s / slope,
               b = (double(to) + 1 - double(origin)) * s / slope;
        if (a > b) std::swap(a, b);
        lo = std::max(lo, int64_t(std::floor(a)) - 2);
        hi = std::min(hi, int64_t(std::ceil(b)) + 2);
    };
    int64_t lo = 0, hi = n - 1;
    const bool inside = unsigned(x0) < unsigned(width_) && unsigned(x1) < unsigned(width_) &&
                        unsigned(y0) < unsigned(height_) && unsigned(y1) < unsigned(height_);
    const int64_t twoMajor = 2 * major, twoMinor = 2 * minor;
    if (inside && !pattern_ && mode_ == PenMode::Copy) { // the common case, without checks
        const uint32_t rgb = 0xFF000000u | penRgb_;
        const int64_t stepMajor = xMajor ? sMajor : int64_t(sMajor) * stride_;
        const int64_t stepMinor = xMajor ? int64_t(sMinor) * stride_ : sMinor;
        uint32_t* p = bits_ + int64_t(y0) * stride_ + x0;
        int64_t r = major - 1;
        for (int64_t i = 0; i < n; ++i) {
            *p = rgb;
            p += stepMajor;
            r += twoMinor;
            if (r >= twoMajor) {
                r -= twoMajor;
                p += stepMinor;
            }
        }
        return;
    }
    if (!inside) {
        stepsBetween(0, majorLimit, m0, sMajor, 1.0, lo, hi);
        if (minor > 0)
            stepsBetween(0, minorLimit, n0, sMinor, double(minor) / double(major), lo, hi);
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
        const int64_t a = m0 + sMajor * i, b = n0 + sMinor * q;
        if (styleOn()) {
            if (xMajor)
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

// Points of the ellipse in counter-clockwise screen order starting at its rightmost point:
// the steep parts are stepped along y, the flat parts along x.
void Canvas::ellipsePoints(int left, int top, int right, int bottom, bool ordered,
                           std::vector<QPoint>& out) const {
    out.clear();
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double a = std::fabs(right - left) / 2.0, b = std::fabs(bottom - top) / 2.0;
    const auto R = [](double v) { return int(std::lround(v)); };
    if (a < 0.5 || b < 0.5) { // degenerate: a segment or a point
        for (int y = int(std::ceil(cy - b)); y <= int(std::floor(cy + b)); ++y)
            for (int x = int(std::ceil(cx - a)); x <= int(std::floor(cx + a)); ++x)
                out.emplace_back(x, y);
        if (out.empty()) out.emplace_back(R(cx), R(cy));
        return;
    }
    const double h = std::sqrt(a * a + b * b);
    const double xs = a * a / h, ys = b * b / h;
    const auto yo = [&](int x) {
        return b * std::sqrt(std::max(0.0, 1 - std::pow((x - cx) / a, 2)));
    };
    const auto xo = [&](int y) {
        return a * std::sqrt(std::max(0.0, 1 - std::pow((y - cy) / b, 2)));
    };
    int x1lo = int(std::ceil(cx - xs)), x1hi = int(std::floor(cx + xs));
    int y2lo = int(std::ceil(cy - ys)), y2hi = int(std::floor(cy + ys));
    if (!ordered) { // only the rows and columns that can be visible
        x1lo = std::max(x1lo, -1);
        x1hi = std::min(x1hi, width());
        y2lo = std::max(y2lo, -1);
        y2hi = std::min(y2hi, height());
    }
    const auto add = [&](int x, int y) {
        if (out.empty() || out.back() != QPoint(x, y)) out.emplace_back(x, y);
    };
    for (int y = y2hi; y >= y2lo; --y)
        if (y <= cy) add(R(cx + xo(y)), y);
    for (int x = x1hi; x >= x1lo; --x) add(x, R(cy - yo(x)));
    for (int y = y2lo; y <= y2hi; ++y) add(R(cx - xo(y)), y);
    for (int x = x1lo; x <= x1hi; ++x) add(x, R(cy + yo(x)));
    for (int y = y2hi; y >= y2lo; --y)
        if (y > cy) add(R(cx + xo(y)), y);
    if (out.size() > 1 && out.front() == out.back()) out.pop_back();
}

// Steps along the ellipse inscribed in the rectangle (both corners included) with integer
// error terms, from the ends of its horizontal axis towards the ends of its vertical one, and
// hands each step's points to visit(quarter, x, y): 0 upper right, 1 upper left, 2 lower left,
// 3 lower right (screen quarters). Each quarter's points come in the order walked.
template <class Visit>
void WalkEllipse(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Visit visit) {
    int64_t a = x1 - x0, b = y1 - y0, b1 = b & 1;
    int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    int64_t err = dx + dy + b1 * a * a;
    int64_t lower = y0 + (b + 1) / 2, upper = lower - b1;
    int64_t l = x0, r = x1;
    const int64_t a8 = 8 * a * a, b8 = 8 * b * b;
    do {
        visit(0, r, upper);
        visit(1, l, upper);
        visit(2, l, lower);
        visit(3, r, lower);
        const int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++lower;
            --upper;
            err += dy += a8;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++l;
            --r;
            err += dx += b8;
        }
    } while (l <= r);
    while (lower - upper < b) { // the tips of very flat ellipses
        visit(0, r + 1, upper);
        visit(1, l - 1, upper--);
        visit(2, l - 1, lower);
        visit(3, r + 1, lower++);
    }
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
        ellipsePoints(left, top, right, bottom, needOrder, arcPoints_);
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
