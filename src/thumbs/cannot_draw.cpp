#include "thumbs/cannot_draw.h"

#include "dxf/file_bytes.h"
#include "dxf/text_decoding.h"

#include <QFile>
#include <QFileInfo>

namespace quillon {

namespace {

const QString kReasonKey = QStringLiteral("reason");

// The reasons every kind of file shares: gone, empty, unreadable. Empty when none applies.
QString FileReason(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists()) return QStringLiteral("ファイルが見つかりません");
    if (info.size() == 0) return QStringLiteral("空のファイルです");
    if (FileIsBusy(file)) return QStringLiteral("ほかのプログラムが使用中です");
    if (QFile f(file); !f.open(QIODevice::ReadOnly))
        return QStringLiteral("読み取り権限がありません");
    return QString();
}

QByteArray Head(const QString& file, qint64 count) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(count) : QByteArray();
}

// A text DXF begins with a group code: after blanks (and a UTF-8 mark), a line of digits.
bool BeginsWithGroupCode(const QString& file) {
    QByteArray head = Head(file, 256);
    if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);
    const QByteArray first = head.trimmed().split('\n').value(0).trimmed();
    qsizetype i = first.startsWith('-') || first.startsWith('+') ? 1 : 0;
    if (i == first.size()) return false;
    for (; i < first.size(); ++i)
        if (first[i] < '0' || first[i] > '9') return false;
    return true;
}

} // namespace

QString DxfCannotDrawReason(const QString& file, const PreviewFacts& facts, const DxfDrawing& d) {
    const bool nothingDrawn =
        d.LineAry.empty() && d.CircleAry.empty() && d.ArcAry.empty() && d.TextAry.empty();
    if (facts.drawn && !nothingDrawn) return QString();
    if (QString reason = FileReason(file); !reason.isEmpty()) return reason;
    if (HeadRejectsDxf(QString::fromLatin1(Head(file, 6))))
        return QStringLiteral("テキストの DXF ではありません");
    if (!facts.status.isEmpty())
        return QStringLiteral("読み込みエラーです（") + facts.status + QStringLiteral("）");
    if (!facts.drawn) return QStringLiteral("読み込みエラーです");
    // Read to the end without a single figure: an empty drawing, or no drawing at all.
    return BeginsWithGroupCode(file) ? QString() : QStringLiteral("図面ではありません");
}

QString DwgCannotDrawReason(const QString& file, const ThumbnailFacts& facts) {
    if (QString reason = FileReason(file); !reason.isEmpty()) return reason;
    if (!Head(file, 2).startsWith("AC")) return QStringLiteral("図面ではありません");
    if (!facts.cancelled) return QString();
    // Cancelled: a part the header points to lies past the end, or the image is damaged.
    const qint64 size = QFileInfo(file).size();
    const bool imageInFile = facts.start && facts.size && qint64(*facts.start) < size &&
                             qint64(*facts.size) <= size - qint64(*facts.start);
    return imageInFile ? QStringLiteral("プレビュー画像が壊れています")
                       : QStringLiteral("ファイルが途中で切れています");
}

QImage CannotDrawPicture(QSize size, const QString& reason) {
    QImage picture = NotDrawablePicture(size);
    picture.setText(kReasonKey, reason);
    return picture;
}

QString CannotDrawReason(const QImage& picture) {
    return picture.text(kReasonKey);
}

} // namespace quillon
