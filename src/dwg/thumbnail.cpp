#include "dwg/thumbnail.h"

#include "render/canvas.h"

#include <QFile>
#include <QFileInfo>
#include <png.h>

namespace quillon {

namespace {

// Decoded previews are small; these bound what a damaged header can make us allocate.
constexpr int64_t kMaxPixels = 16 * 1024 * 1024;

struct Cancel {};

class Reader {
public:
    explicit Reader(QFile& f) : f_(f), size_(f.size()) {}
    QByteArray bytes(int64_t at, int64_t count) {
        if (at < 0 || count < 0 || at > size_ || count > size_ - at) throw Cancel{};
        if (!f_.seek(at)) throw Cancel{};
        QByteArray b = f_.read(count);
        if (b.size() != count) throw Cancel{};
        return b;
    }
    uint32_t u32(int64_t at) {
        const QByteArray b = bytes(at, 4);
        const auto* p = reinterpret_cast<const uchar*>(b.constData());
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    uint8_t u8(int64_t at) { return uint8_t(bytes(at, 1)[0]); }

private:
    QFile& f_;
    int64_t size_;
};

uint32_t Le32(const QByteArray& b, int at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutLe32(QByteArray& b, int at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = char((v >> (8 * k)) & 0xFF);
}

// A device-independent bitmap without its file header, made loadable as a BMP file. The
// pixel data starts after the information header and the palette the header itself declares.
QImage DecodeDib(const QByteArray& dib) {
    if (dib.size() < 40) throw Cancel{};
    const uint32_t headerSize = Le32(dib, 0);
    const int32_t width = int32_t(Le32(dib, 4)), height = int32_t(Le32(dib, 8));
    const int bitCount = uchar(dib[14]) | uchar(dib[15]) << 8;
    const uint32_t compression = Le32(dib, 16), coloursUsed = Le32(dib, 32);
    if (headerSize < 40 || headerSize > uint32_t(dib.size()) || width <= 0 || height == 0 ||
        int64_t(width) * std::abs(int64_t(height)) > kMaxPixels)
        throw Cancel{};
    int64_t palette =
        coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? (int64_t(1) << bitCount) : 0);
    if (palette > 256) throw Cancel{};
    if (compression == 3 && headerSize == 40) palette += 3; // the three bit-field masks
    const int64_t offset = 14 + int64_t(headerSize) + palette * 4;
    if (compression == 0) { // uncompressed: the pixels must all be there
        const int64_t row = ((int64_t(width) * bitCount + 31) / 32) * 4;
        if (offset - 14 + row * std::abs(int64_t(height)) > dib.size()) throw Cancel{};
    }
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    PutLe32(file, 2, uint32_t(dib.size() + 14));
    PutLe32(file, 10, uint32_t(offset));
    file += dib;
    QImage img;
    if (!img.loadFromData(file, "BMP") || img.isNull()) throw Cancel{};
    return img;
}

QImage DecodePng(const QByteArray& data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data.constData(), size_t(data.size())))
        throw Cancel{};
    if (image.width == 0 || image.height == 0 || int64_t(image.width) * image.height > kMaxPixels) {
        png_image_free(&image);
        throw Cancel{};
    }
    image.format = PNG_FORMAT_BGRA; // QImage's ARGB32 byte order on little-endian machines
    QImage out(int(image.width), int(image.height), QImage::Format_ARGB32);
    if (out.isNull() ||
        !png_image_finish_read(&image, nullptr, out.bits(), int(out.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        throw Cancel{};
    }
    return out;
}

int VersionDigits(const QByteArray& four) {
    const QByteArray text = four.left(four.indexOf('\0') < 0 ? 4 : four.indexOf('\0'));
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : 0;
}

} // namespace

ThumbnailLoad LoadDwgThumbnail(const QString& fileName, QImage& bitmap, ThumbnailFacts* facts) {
    ThumbnailFacts local;
    ThumbnailFacts& f = facts ? *facts : local;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        f.cancelled = true;
        return ThumbnailLoad::Cancelled;
    }
    try {
        Reader r(file);
        f.version = VersionDigits(r.bytes(2, 4));
        if (f.version <= 1012) return ThumbnailLoad::Untouched;
        const uint32_t p = r.u32(13);
        f.seeker = p;
        f.imageKind = r.u8(int64_t(p) + 30);
        f.start = r.u32(int64_t(p) + 31);
        f.size = r.u32(int64_t(p) + 35);
        if (*f.imageKind == 2) {
            r.bytes(*f.start, 40); // the information header must be there
            bitmap = DecodeDib(r.bytes(*f.start, *f.size));
        } else if (*f.imageKind == 6) {
            bitmap = DecodePng(r.bytes(*f.start, *f.size));
        } else {
            return ThumbnailLoad::Untouched;
        }
        f.image = bitmap.size();
        return ThumbnailLoad::Taken;
    } catch (const Cancel&) {
        f.cancelled = true;
        return ThumbnailLoad::Cancelled;
    }
}

bool ShowDwgThumbnail(const QString& fileName, QSize panel, const ThumbnailOptions& options,
                      QImage& picture, ThumbnailFacts* facts) {
    const TColor background = options.background;
    const bool trim = options.trim, whiteEmphasis = options.whiteEmphasis;
    ThumbnailFacts local;
    ThumbnailFacts& f = facts ? *facts : local;
    const int pw = std::max(panel.width(), 1), ph = std::max(panel.height(), 1);
    picture = QImage(pw, ph, QImage::Format_RGB32);
    picture.fill(ToRgb(background));
    if (!QFileInfo::exists(fileName)) return false;
    QImage b = picture;
    if (LoadDwgThumbnail(fileName, b, &f) == ThumbnailLoad::Cancelled) return true;
    b = b.convertToFormat(QImage::Format_RGB32);
    const int w = b.width(), h = b.height();

    // The background is the corner colour most corners share (the first such corner).
    const QRgb corners[4] = {b.pixel(0, 0), b.pixel(w - 1, 0), b.pixel(0, h - 1),
                             b.pixel(w - 1, h - 1)};
    QRgb k = corners[0];
    int best = 0;
    for (QRgb c : corners) {
        const int count = int(std::count(std::begin(corners), std::end(corners), c));
        if (count > best) best = count, k = c;
    }
    if ((k & 0xFFFFFF) == 0xFFFFFF) { // drawn on white: turn it into white on black
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(b.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = line[x] & 0xFFFFFF;
                if (c == 0)
                    line[x] = 0xFFFFFFFF;
                else if (c == 0xFFFFFF)
                    line[x] = 0xFF000000;
            }
        }
        k = 0xFF000000;
    }
    f.background = k;

    int top = h - 1, bottom = 0, left = w - 1, right = 0;
    bool seen = false;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if ((line[x] & 0xFFFFFF) != (k & 0xFFFFFF)) {
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
                if (y == 0) top = 0;
                seen = true;
            } else if (!seen) {
                top = y;
            }
        }
    }
    if (left > 0) --left;
    if (top > 0) --top;
    right = std::min(right, w - 1);
    bottom = std::min(bottom, h - 1);
    f.content = QRect(QPoint(left, top), QPoint(right, bottom));

    int cw = left < right ? right - left + 1 : w;
    int ch = top < bottom ? bottom - top + 1 : h;
    if (right - left <= 2 || bottom - top <= 2 || !trim) cw = w, ch = h, left = 0, top = 0;
    const double sx = pw * 0.9 / cw, sy = ph * 0.9 / ch;
    const double s = sy >= sx ? sx : sy;
    const QSize out(int(cw * s), int(ch * s));
    if (w < left + cw + 1) cw = w - left - 1;
    if (h < top + ch + 1) ch = h - top - 1;
    f.crop = QRect(left + 1, top + 1, cw, ch);
    if (cw <= 0 || ch <= 0 || out.isEmpty()) return true;
    const QImage o =
        whiteEmphasis ? ShrinkKeepBrightest(b, f.crop, out)
                      : b.copy(f.crop).scaled(out, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    f.shown = QRect((pw - o.width()) / 2, (ph - o.height()) / 2, o.width(), o.height());
    QPainter painter(&picture);
    painter.drawImage(f.shown.topLeft(), o);
    return true;
}

} // namespace quillon
