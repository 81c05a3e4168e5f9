// libFuzzer target: any bytes as a DXF file, read in both encodings.
#include "dxf/reader.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.dxf"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    for (auto encoding : {quillon::TextEncoding::Cp932, quillon::TextEncoding::Utf8}) {
        quillon::DxfDrawing d;
        QString status, version;
        quillon::ReadDxfFile(d, path, nullptr, nullptr, status, encoding, version);
    }
    return 0;
}
