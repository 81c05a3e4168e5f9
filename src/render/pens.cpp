#include "render/pens.h"

#include "dxf/layer_index.h"
#include "dxf/two_threads.h"
#include "render/geometry.h"
#include "render/view.h"

#include <QHash>
#include <cmath>
#include <cstdlib>
#include <span>

namespace quillon {

namespace {

TColor Rgb(int r, int g, int b) {
    return TColor(r | (g << 8) | (b << 16));
}

} // namespace

TColor AciToColor(int number) {
    const int n = std::abs(number);
    static const TColor basic[] = {Rgb(255, 0, 0),   Rgb(255, 255, 0), Rgb(0, 255, 0),
                                   Rgb(0, 255, 255), Rgb(0, 0, 255),   Rgb(255, 0, 255)};
    if (n >= 1 && n <= 6) return basic[n - 1];
    if (n == 8) return Rgb(128, 128, 128);
    if (n == 9) return Rgb(192, 192, 192);
    if (n >= 10 && n <= 249) {
        static const int top[] = {255, 255, 204, 204, 153, 153, 127, 127, 76, 76};
        const int h = (n / 10 - 1) * 15, row = n % 10;
        const int v = top[row], l = (row % 2 == 0) ? 0 : v / 2;
        const int sector = h / 60;
        const double f = (h % 60) / 60.0;
        const auto m = [&](double t) { return int(std::trunc(l + (v - l) * t)); };
        switch (sector) {
        case 0: return Rgb(v, m(f), l);
        case 1: return Rgb(m(1 - f), v, l);
        case 2: return Rgb(l, v, m(f));
        case 3: return Rgb(l, m(1 - f), v);
        case 4: return Rgb(m(f), l, v);
        default: return Rgb(v, l, m(1 - f));
        }
    }
    static const int greys[] = {51, 91, 132, 173, 214};
    if (n >= 250 && n <= 254) return Rgb(greys[n - 250], greys[n - 250], greys[n - 250]);
    return Rgb(255, 255, 255);
}

TPenStyle LineTypeToPenStyle(const QString& name) {
    const QString u = name.toUpper();
    const auto starts = [&](const char* p) { return u.startsWith(QLatin1String(p)); };
    if (starts("CON")) return TPenStyle::psSolid;
    if (starts("HID") || starts("DASHE")) return TPenStyle::psDot;
    if (starts("CEN") || starts("BOR") || starts("DASHD")) return TPenStyle::psDashDot;
    if (starts("DEV") || starts("DIV") || starts("PHA")) return TPenStyle::psDashDotDot;
    if (starts("DOT")) return TPenStyle::psDot;
    return TPenStyle::psSolid;
}

TPenStyle EntityPenStyle(const DxfDrawing& d, LayerIndex& layers, const QString& ltype,
                         const QString& layer) {
    if (ltype.isEmpty() || ltype == QLatin1String("BYLAYER")) {
        const int i = layers.find(layer);
        if (i >= 0) return LineTypeToPenStyle(d.LayerAry[size_t(i)].ltype);
    }
    return LineTypeToPenStyle(ltype);
}

namespace {

// Part `part` of `parts` equal parts of an array.
template <class A> auto PartOf(A& a, int part, int parts) {
    const size_t n = a.size();
    return std::span(a.data() + n * size_t(part) / size_t(parts),
                     a.data() + n * size_t(part + 1) / size_t(parts));
}

void ResolvePensOfPart(DxfDrawing& d, int part, int parts) {
    LayerIndex layers(d.LayerAry);
    // A style is worked out once per pair of line type and layer.
    QHash<QPair<const void*, const void*>, TPenStyle> styles;
    const auto resolve = [&](auto& r) {
        r.PenColor = AciToColor(r.color);
        r.layindex = int16_t(layers.find(r.layer));
        if constexpr (requires { r.PenStyle; }) {
            const QPair<const void*, const void*> key(r.ltype.id(), r.layer.id());
            auto it = styles.constFind(key);
            if (it == styles.cend())
                it = styles.insert(key, EntityPenStyle(d, layers, r.ltype, r.layer));
            r.PenStyle = *it;
        }
    };
    for (auto& r : PartOf(d.LineAry, part, parts)) resolve(r);
    for (auto& r : PartOf(d.ArcAry, part, parts)) resolve(r);
    for (auto& r : PartOf(d.CircleAry, part, parts)) resolve(r);
    for (auto& r : PartOf(d.TextAry, part, parts)) resolve(r);
    for (auto& r : PartOf(d.FillAry, part, parts)) resolve(r);
}

} // namespace

void ResolvePens(DxfDrawing& d, TwoThreads twoThreads) {
    // Each record's pen is its own: two threads may take half of each array.
    const size_t records = d.LineAry.size() + d.ArcAry.size() + d.CircleAry.size();
    if (twoThreads.worth(records))
        RunInTwo([&](int part) { ResolvePensOfPart(d, part, 2); });
    else
        ResolvePensOfPart(d, 0, 1);
}

} // namespace quillon
