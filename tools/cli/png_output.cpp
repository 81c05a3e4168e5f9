#include "png_output.h"

#include <QFile>
#include <array>
#include <png.h>
#include <vector>

namespace quillon::cli {

namespace {

// The picture's pixels as indices into a palette of its colours (RGB triples); false when it
// has more than 256 colours.
bool Palette(const QImage& rgb32, std::vector<uint8_t>& indices, std::vector<uint8_t>& colours) {
    // Open addressing over 512 table: colour << 8 | index.
    std::array<uint32_t, 512> table{};
    std::array<bool, 512> used{};
    const int w = rgb32.width(), h = rgb32.height();
    indices.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const uint32_t c = line[x] & 0xFFFFFFu;
            uint32_t k = (c * 2654435761u) >> 23;
            while (used[k] && table[k] >> 8 != c) k = (k + 1) & 511;
            if (!used[k]) {
                if (colours.size() == 3 * 256) return false;
                used[k] = true;
                table[k] = c << 8 | uint32_t(colours.size() / 3);
                colours.insert(colours.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
            }
            indices[size_t(y) * size_t(w) + size_t(x)] = uint8_t(table[k] & 0xFF);
        }
    }
    return true;
}

} // namespace

bool WritePng(const QImage& picture, const QString& path) {
    const QImage rgb32 = picture.convertToFormat(QImage::Format_RGB32);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(rgb32.width());
    image.height = png_uint_32(rgb32.height());
    image.flags = PNG_IMAGE_FLAG_FAST;
    std::vector<uint8_t> indices, colours;
    QImage rgb888;
    const void* pixels = nullptr;
    png_int_32 stride = 0;
    const void* colourMap = nullptr;
    if (Palette(rgb32, indices, colours)) {
        image.format = PNG_FORMAT_RGB_COLORMAP;
        image.colormap_entries = png_uint_32(colours.size() / 3);
        pixels = indices.data();
        stride = png_int_32(image.width);
        colourMap = colours.data();
    } else {
        rgb888 = rgb32.convertToFormat(QImage::Format_RGB888);
        image.format = PNG_FORMAT_RGB;
        pixels = rgb888.constBits();
        stride = png_int_32(rgb888.bytesPerLine());
    }
    // Written to memory first: the file is then written by Qt, which takes any file name.
    png_alloc_size_t bytes = 0;
    if (!png_image_write_get_memory_size(image, bytes, 0, pixels, stride, colourMap)) return false;
    QByteArray png(qsizetype(bytes), Qt::Uninitialized);
    if (!png_image_write_to_memory(&image, png.data(), &bytes, 0, pixels, stride, colourMap))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(png.constData(), qsizetype(bytes)) == qsizetype(bytes);
}

} // namespace quillon::cli
