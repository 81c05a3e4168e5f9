#include "render/text_drawing.h"

#include "dxf/text_decoding.h"
#include "render/extents.h"
#include "render/geometry.h"
#include "render/view.h"

#include <QFontMetricsF>
#include <QStringEncoder>
#include <cmath>
#include <unordered_map>

namespace quillon {

namespace {

// Font pixel size whose ascent + descent is the wanted cell height, and the stretch that gives
// the wanted average character width (0: the font's own width).
QFont MakeCellFont(const QFont& base, int cellHeight, int charWidth) {
    static std::unordered_map<int, double> heightRatio;
    const QString family = base.family();
    auto it = heightRatio.find(int(qHash(family)));
    if (it == heightRatio.end()) {
        QFont probe(base);
        probe.setPixelSize(200);
        probe.setStretch(100);
        const QFontMetricsF m(probe);
        it = heightRatio.emplace(int(qHash(family)), (m.ascent() + m.descent()) / 200.0).first;
    }
    QFont f(base);
    f.setPixelSize(std::max(1, int(std::lround(cellHeight / it->second))));
    f.setStretch(100);
    f.setStyleStrategy(QFont::NoAntialias);
    if (charWidth > 0) {
        const double natural = QFontMetricsF(f).averageCharWidth();
        if (natural > 0)
            f.setStretch(std::clamp(int(std::lround(100.0 * charWidth / natural)), 1, 4000));
    }
    return f;
}

// Fonts repeat from one text to the next: keep the ones made.
QFont CellFont(const QFont& base, int cellHeight, int charWidth) {
    static std::unordered_map<uint64_t, QFont> made;
    const uint64_t key =
        (uint64_t(qHash(base.family())) << 40) ^ (uint64_t(cellHeight) << 20) ^ uint64_t(charWidth);
    auto it = made.find(key);
    if (it == made.end()) {
        if (made.size() > 4096) made.clear();
        it = made.emplace(key, MakeCellFont(base, cellHeight, charWidth)).first;
    }
    return it->second;
}

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
    static QStringEncoder encoder("CP932");
    encoder.resetState();
    return int(QByteArray(encoder.encode(text)).size());
}

double MTextAngle(const TAcadPoint& direction, double code50) {
    if (direction.x == 0 && direction.y == 0) return code50;
    return PointAngle({0, 0, 0}, direction) / kDegToRad;
}

void DrawDxfText(Canvas& canvas, QPoint origin, const QString& text, const TAcadPoint& pt11,
                 bool mtflag, int code71, TColor color, double code44, double code50, double code41,
                 double code40, int code73, int code72, const TAcadPoint& p11,
                 const TAcadPoint& p10, double upp) {
    double theta = 0;
    TAcadPoint b = p10;
    if (mtflag) {
        theta = MTextAngle(pt11, code50);
    } else {
        theta = code50;
        const bool onFirstPoint = (code72 == 0 || code72 == 3 || code72 == 5) && code73 == 0;
        if (!onFirstPoint) b = p11;
    }
    const int h = Nearest(code40 / upp * 1.3);
    if (h <= 1) return;
    int w;
    if (mtflag) {
        w = Nearest(code40 / upp * 1.3 * 0.51 * 0.8 * 0.75);
    } else if (code72 == 5) {
        const int bytes = Cp932ByteCount(text);
        if (bytes == 0) return; // nothing to spread between the two points
        w = Nearest(Distance2D(p10, p11) / upp * 0.8 / bytes);
    } else {
        w = Nearest(code40 / upp * 1.3 * 0.51 * code41 * 0.75);
    }
    const double escapement = Nearest(theta * 10) / 10.0;
    // The canvas keeps the text's font afterwards; the next text makes its own from its family.
    canvas.setFont(CellFont(canvas.font(), h, w));
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
                double dx = 0, dy = 0.086 * hh;
                if (code71 == 2 || code71 == 5 || code71 == 8)
                    dx = -ww / 2;
                else if (code71 == 3 || code71 == 6 || code71 == 9)
                    dx = -ww;
                if (code71 >= 4 && code71 <= 6)
                    dy = hh / 2 - 0.03 * hh;
                else if (code71 >= 7 && code71 <= 9)
                    dy = 0.855 * hh;
                WriteAt(canvas, origin, Offset(b, dx, dy, theta, upp), upp, escapement, t);
                b.x += std::sin(theta * kDegToRad) * code40 * spacing;
                b.y -= std::cos(theta * kDegToRad) * code40 * spacing;
            }
        }
    }
}

} // namespace quillon
