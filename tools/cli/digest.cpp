#include "digest.h"

#include <QCryptographicHash>

namespace quillon::cli {

namespace {

class Digest {
public:
    template <class T> Digest& operator<<(const T& v) {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T>);
        hash_.addData(QByteArrayView(reinterpret_cast<const char*>(&v), sizeof v));
        return *this;
    }
    Digest& operator<<(const TAcadPoint& p) { return *this << p.x << p.y << p.z; }
    Digest& operator<<(const QString& s) {
        *this << s.size();
        hash_.addData(QByteArrayView(reinterpret_cast<const char*>(s.constData()),
                                     s.size() * qsizetype(sizeof(QChar))));
        return *this;
    }
    std::string hex() const { return hash_.result().toHex().toStdString(); }

private:
    QCryptographicHash hash_{QCryptographicHash::Sha1};
};

template <class R> void Common(Digest& h, const R& r) {
    h << QString(r.layer) << r.color << r.code60 << r.code67 << r.layindex << r.PenColor;
    if constexpr (requires { r.PenStyle; }) h << r.PenStyle;
    if constexpr (requires { r.ltype; }) h << QString(r.ltype);
}

} // namespace

std::string RecordsDigest(const DxfDrawing& d) {
    Digest h;
    h << d.LineAry.size() << d.CircleAry.size() << d.ArcAry.size() << d.TextAry.size();
    for (const TAcadLineBlk& l : d.LineAry) {
        Common(h, l);
        h << l.st << l.ed;
    }
    for (const TCircleBlk& c : d.CircleAry) {
        Common(h, c);
        h << c.center << c.hankei;
    }
    for (const TArcBlk& a : d.ArcAry) {
        Common(h, a);
        h << a.center << a.hankei << a.st << a.ed;
    }
    for (const TTextBlk& t : d.TextAry) {
        Common(h, t);
        h << t.str << t.pt10 << t.pt11 << t.code40 << t.code41 << t.code50 << t.code70 << t.code72
          << t.code73 << t.mtflag;
    }
    if (!d.FillAry.empty()) { // drawings without fills keep the digests they had
        h << d.FillAry.size() << d.FillPointAry.size();
        for (const TFillBlk& f : d.FillAry) {
            Common(h, f);
            h << f.winding << f.rings;
        }
        for (const TFillPoint& p : d.FillPointAry) h << p.x << p.y;
    }
    h << d.ExtMinPt << d.ExtMaxPt;
    return h.hex();
}

std::string PictureDigest(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                                    qsizetype(rgb.width()) * 4));
    return hash.result().toHex().toStdString();
}

} // namespace quillon::cli
