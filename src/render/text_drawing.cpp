#include "render/text_drawing.h"

#include "dxf/code_page.h"
#include "dxf/text_decoding.h"
#include "render/geometry.h"
#include "render/text_layout.h"

#include <QFontMetricsF>
#include <cmath>
#include <unordered_map>

namespace quillon {

// Font pixel size whose ascent + descent is the wanted cell height, and the stretch that gives
// the wanted average character width (0: the font's own width). Fonts repeat from one text to
// the next: the ones made are kept.
QFont TextFonts::cell(const QFont& base, int cellHeight, int charWidth) {
    const size_t family = qHash(base.family());
    const uint64_t key =
        (uint64_t(family) << 40) ^ (uint64_t(cellHeight) << 20) ^ uint64_t(charWidth);
    if (const auto made = made_.find(key); made != made_.end()) return made->second;
    auto ratio = heightRatio_.find(family);
    if (ratio == heightRatio_.end()) {
        QFont probe(base);
        probe.setPixelSize(200);
        probe.setStretch(100);
        const QFontMetricsF m(probe);
        ratio = heightRatio_.emplace(family, (m.ascent() + m.descent()) / 200.0).first;
    }
    QFont f(base);
    f.setPixelSize(std::max(1, int(std::lround(cellHeight / ratio->second))));
    f.setStretch(100);
    f.setStyleStrategy(QFont::NoAntialias);
    if (charWidth > 0) {
        const double natural = QFontMetricsF(f).averageCharWidth();
        if (natural > 0)
            f.setStretch(std::clamp(int(std::lround(100.0 * charWidth / natural)), 1, 4000));
    }
    if (made_.size() > 4096) made_.clear();
    return made_.emplace(key, f).first->second;
}

namespace {

void WriteAt(Canvas& canvas, QPoint origin, const TAcadPoint& anchor, double upp, double theta,
             const QString& text) {
    const QPoint at = DrawingToScreen(anchor, origin, upp);
    canvas.textOut(at.x(), at.y(), theta, text);
}

TAcadPoint Offset(const TAcadPoint& b, double dx, double dy, double thetaDeg, double upp) {
    const TAcadPoint r = RotatePoint({dx, dy, 0}, thetaDeg * kDegToRad);
    return {b.x + upp * r.x / 100, b.y + upp * r.y / 100, b.z};
}

} // namespace

QString ReplaceTextControlCodes(const QString& text) {
    QString s = text;
    if (s.contains(QLatin1String("%%"))) {
        const QString phi = QString(QChar(0x03A6));
        s.replace(QLatin1String("%%C"), phi).replace(QLatin1String("%%c"), phi);
        s.replace(QLatin1String("%%D"), QString(QChar(0x00B0)))
            .replace(QLatin1String("%%d"), QString(QChar(0x00B0)));
        s.replace(QLatin1String("%%P"), QString(QChar(0x00B1)))
            .replace(QLatin1String("%%p"), QString(QChar(0x00B1)));
        s.replace(QLatin1String("%%%"), QLatin1String("%"));
    }
    if (s.contains(QLatin1String("\\U+"))) {
        s.replace(QLatin1String("\\U+25A1"), QString(QChar(0x25A1)));
        s.replace(QLatin1String("\\U+2205"), QString(QChar(0x03A6)));
    }
    return s;
}

int Cp932ByteCount(const QString& text) {
    return int(ToCodePage(text, kCodePageJapanese).size());
}

void DrawDxfText(Canvas& canvas, TextFonts& fonts, QPoint origin, const TTextBlk& t,
                 const QString& text, TColor color, const TAcadPoint& centre, double upp) {
    const TAcadPoint p10 = PointSub(t.pt10, centre), p11 = PointSub(t.pt11, centre);
    const TAcadPoint& pt11 = t.pt11;
    const bool mtflag = t.mtflag;
    const int code71 = t.code71, code72 = t.code72, code73 = t.code73;
    const double code40 = t.code40, code41 = t.code41, code44 = t.code44, code50 = t.code50;
    double theta = 0;
    TAcadPoint b = p10;
    if (mtflag) {
        theta = MTextAngle(pt11, code50);
    } else {
        theta = code50;
        const bool onFirstPoint = (code72 == 0 || code72 == 3 || code72 == 5) && code73 == 0;
        if (!onFirstPoint) b = p11;
    }
    const int h = TextCellHeight(code40, upp);
    if (!CellDrawn(h)) return;
    int w;
    if (!mtflag && code72 == 5) {
        const int bytes = Cp932ByteCount(text);
        if (bytes == 0) return; // nothing to spread between the two points
        w = FittedCharWidth(Distance2D(p10, p11), bytes, upp);
    } else {
        w = TextCharWidth(code40, code41, mtflag, upp);
    }
    const double escapement = Nearest(theta * 10) / 10.0;
    // The canvas keeps the text's font afterwards; the next text makes its own from its family.
    canvas.setFont(fonts.cell(canvas.font(), h, w));
    canvas.setTextColor(color);
    const double hh = h * 100.0;
    if (!mtflag) {
        const double ww = canvas.textWidth(text) * 100.0;
        double dx = 0;
        if (code72 == 1 || code72 == 4)
            dx = -ww / 2;
        else if (code72 == 2)
            dx = -ww;
        const double dy = TextCellRise(code72, code73, hh);
        WriteAt(canvas, origin, Offset(b, dx, dy, theta, upp), upp, escapement, text);
    } else {
        const double spacing = 1.7 * code44;
        QStringList lines;
        const int k = SplitMTextLines(text, lines);
        if (k > 0) {
            if (k > 1 && code71 >= 4 && code71 <= 6)
                b = PolarPoint(b, (theta + 90) * kDegToRad, (k - 1) * code40 * spacing / 2);
            else if (k > 1 && code71 >= 7 && code71 <= 9)
                b = PolarPoint(b, (theta + 90) * kDegToRad, k * code40 * spacing);
            for (const QString& line : lines) {
                const QString t = StripMTextCodes(line);
                const double ww = canvas.textWidth(t) * 100.0;
                double dx = 0;
                if (code71 == 2 || code71 == 5 || code71 == 8)
                    dx = -ww / 2;
                else if (code71 == 3 || code71 == 6 || code71 == 9)
                    dx = -ww;
                const double dy = MTextLineRise(code71, hh);
                WriteAt(canvas, origin, Offset(b, dx, dy, theta, upp), upp, escapement, t);
                b.x += std::sin(theta * kDegToRad) * code40 * spacing;
                b.y -= std::cos(theta * kDegToRad) * code40 * spacing;
            }
        }
    }
}

} // namespace quillon
