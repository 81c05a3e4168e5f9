#include "dxf/reader.h"

#include "dxf/file_bytes.h"
#include "dxf/pair_parser.h"
#include "dxf/split_read.h"
#include "dxf/value_decoder.h"

#include <QFileInfo>
#include <cstring>

namespace quillon {

void ReadDxfFile(DxfDrawing& drawing, const QString& FileName, ProgressSink* ProgressBar,
                 MessageSink* OwnerWindow, QString& Status, TextEncoding Encoding, QString& AcadVer,
                 TwoThreads twoThreads) {
    Status.clear();
    drawing.clear();
    PairParser parser(drawing, Encoding);
    FileBytes bytes;
    if (const FileAccess access =
            QFileInfo::exists(FileName) ? bytes.read(FileName) : FileAccess::opened;
        access != FileAccess::opened) {
        const bool busy = access == FileAccess::busy;
        Status = busy ? QStringLiteral("busy") : QStringLiteral("error");
        if (OwnerWindow)
            OwnerWindow->showMessage(QStringLiteral("DxfReport"),
                                     busy ? QStringLiteral("DXFファイルは使用中です．")
                                          : QStringLiteral("DXFファイル読み込み失敗．"));
    }
    size_t pos = 0;
    if (Encoding == TextEncoding::Utf8 && bytes.size() >= 3 &&
        memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0)
        pos = 3;
    PairsRead read;
    ReadAllPairs(parser, drawing, bytes, pos, Encoding, twoThreads, ProgressBar, read);
    QString message;
    if (!read.ok) {
        ValueDecoder lines(Encoding);
        const QString code = lines.text(read.bad.code), value = lines.text(read.bad.value);
        const QString first = QString::number(2 * read.bad.n - 1),
                      second = QString::number(2 * read.bad.n);
        Status = first + u':' + code + u'/' + second + u':' + value;
        message = QFileInfo(FileName).fileName() + u'\n' + first + QStringLiteral(" 行=") + code +
                  u'\n' + second + QStringLiteral(" 行=") + value;
    }
    // The file's bytes are no longer needed: released before the halves are joined.
    bytes.clear();
    AppendDrawing(drawing, read.second, read.sharedLayers);
    if (!message.isEmpty() && OwnerWindow)
        OwnerWindow->showMessage(QStringLiteral("DxfReport"), message);
    if (drawing.LayerAry.empty()) drawing.LayerAry.push_back(DefaultLayer(QStringLiteral("0")));
    DecodeUnicodeEscapes(drawing.BlkTextAry);
    DecodeUnicodeEscapes(drawing.TextAry);
    AcadVer = parser.sections().version;
}

} // namespace quillon
