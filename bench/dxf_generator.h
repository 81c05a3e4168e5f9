// Deterministic DXF drawings of a realistic mix, written to a file for the benchmarks.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <charconv>
#include <cstdint>

namespace quillon::bench {

class Lcg {
public:
    explicit Lcg(uint64_t state) : s_(state) {}
    double next() { // in [0, 1)
        s_ = s_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(s_ >> 11) / double(1ULL << 53);
    }
    int below(int n) { return int(next() * n); }

private:
    uint64_t s_;
};

// How reals are written: in full, as CAD programs write them (the shortest text that reads back
// as the same double, 16 or 17 digits for most coordinates), or with four decimals.
enum class Reals { Full, Short };

// Writes about targetBytes of DXF: 20 layers, blocks with nested INSERTs, and lines, circles,
// arcs, polylines with bulges, texts, MTEXTs and INSERTs spread over a 10 000 x 10 000 area.
inline bool WriteSampleDxf(const QString& path, qint64 targetBytes, Reals reals = Reals::Full) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    Lcg rng(20261210);
    QByteArray out;
    out.reserve(1 << 22);
    auto pair = [&](int code, const QByteArray& value) {
        out += QByteArray::number(code).rightJustified(3, ' ');
        out += "\r\n";
        out += value;
        out += "\r\n";
    };
    auto num = [reals](double v) {
        if (reals == Reals::Short) return QByteArray::number(v, 'f', 4);
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, v).ptr;
        QByteArray written(text, end - text);
        return written.contains('.') || written.contains('e') ? written : written + ".0";
    };
    auto flush = [&] {
        f.write(out);
        out.clear();
    };
    pair(0, "SECTION"), pair(2, "HEADER"), pair(9, "$ACADVER"), pair(1, "AC1015"),
        pair(0, "ENDSEC");
    pair(0, "SECTION"), pair(2, "TABLES"), pair(0, "TABLE"), pair(2, "LAYER");
    for (int l = 0; l < 20; ++l) {
        pair(0, "LAYER"), pair(2, "LAYER" + QByteArray::number(l)), pair(70, "0");
        pair(62, QByteArray::number(1 + l % 9));
        pair(6, l % 4 == 1 ? "HIDDEN" : l % 4 == 2 ? "CENTER" : "CONTINUOUS");
    }
    pair(0, "ENDTAB"), pair(0, "ENDSEC");
    pair(0, "SECTION"), pair(2, "BLOCKS");
    for (int b = 0; b < 10; ++b) {
        pair(0, "BLOCK"), pair(8, "0"), pair(2, "PART" + QByteArray::number(b)), pair(70, "0");
        pair(10, "0"), pair(20, "0"), pair(30, "0");
        for (int k = 0; k < 6; ++k) {
            pair(0, "LINE"), pair(8, "0"), pair(10, num(k)), pair(20, "0"), pair(30, "0");
            pair(11, num(k + 1)), pair(21, num(2)), pair(31, "0");
        }
        pair(0, "CIRCLE"), pair(8, "0"), pair(10, "3"), pair(20, "1"), pair(30, "0"),
            pair(40, "1.5");
        if (b > 0) { // a nested INSERT of the previous part
            pair(0, "INSERT"), pair(8, "0"), pair(2, "PART" + QByteArray::number(b - 1));
            pair(10, "1"), pair(20, "1"), pair(30, "0"), pair(41, "0.5"), pair(42, "0.5");
        }
        pair(0, "ENDBLK"), pair(8, "0");
    }
    pair(0, "ENDSEC");
    pair(0, "SECTION"), pair(2, "ENTITIES");
    int handle = 0x100;
    // As a CAD program writes them: a handle, the owner, subclass markers around the layer.
    auto head = [&](const char* kind, const QByteArray& layer, const char* subclass) {
        pair(0, kind), pair(5, QByteArray::number(handle++, 16).toUpper()), pair(330, "1F");
        pair(100, "AcDbEntity"), pair(8, layer), pair(100, subclass);
    };
    while (f.pos() + out.size() < targetBytes) {
        const double x = rng.next() * 10000, y = rng.next() * 10000;
        const QByteArray layer = "LAYER" + QByteArray::number(rng.below(20));
        const int kind = rng.below(100);
        if (kind < 55) {
            head("LINE", layer, "AcDbLine");
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0");
            pair(11, num(x + rng.next() * 50)), pair(21, num(y + rng.next() * 50)), pair(31, "0.0");
        } else if (kind < 65) {
            head("CIRCLE", layer, "AcDbCircle");
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0"), pair(40, num(1 + rng.next() * 20));
        } else if (kind < 75) {
            head("ARC", layer, "AcDbCircle");
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0"), pair(40, num(1 + rng.next() * 20));
            pair(100, "AcDbArc"), pair(50, num(rng.next() * 360));
            pair(51, num(rng.next() * 360));
        } else if (kind < 85) {
            const int n = 3 + rng.below(6);
            head("LWPOLYLINE", layer, "AcDbPolyline");
            pair(90, QByteArray::number(n)), pair(70, "1");
            for (int v = 0; v < n; ++v) {
                pair(10, num(x + rng.next() * 40)), pair(20, num(y + rng.next() * 40));
                if (v % 3 == 0) pair(42, num(rng.next() - 0.5));
            }
        } else if (kind < 92) {
            head("TEXT", layer, "AcDbText");
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0");
            pair(40, num(2 + rng.next() * 5)),
                pair(1, "PART-" + QByteArray::number(rng.below(9999)));
            pair(50, num(rng.below(4) * 90.0));
        } else if (kind < 95) {
            head("MTEXT", layer, "AcDbMText");
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0");
            pair(40, "3.0"), pair(71, "1"), pair(1, "{\\fArial|b1;NOTE}\\Pline two");
        } else {
            head("INSERT", layer, "AcDbBlockReference");
            pair(2, "PART" + QByteArray::number(rng.below(10)));
            pair(10, num(x)), pair(20, num(y)), pair(30, "0.0"), pair(50, num(rng.below(8) * 45.0));
        }
        if (out.size() > (1 << 22)) flush();
    }
    pair(0, "ENDSEC"), pair(0, "EOF");
    flush();
    return true;
}

} // namespace quillon::bench
