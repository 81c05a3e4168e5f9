#include "search/drawing_texts.h"

#include "dxf/reader.h"

#include <QSet>

namespace quillon {

const char* TextKindName(TextKind kind) {
    switch (kind) {
    case TextKind::Text: return "text";
    case TextKind::MText: return "mtext";
    case TextKind::Attrib: return "attrib";
    case TextKind::Dimension: return "dimension";
    case TextKind::Block: return "block";
    }
    return "text";
}

namespace {

// A dimension's picture is the anonymous block "*D…" its texts live in.
bool InDimensionBlock(const TTextBlk& t) {
    const QString block = t.bname.str();
    return block.size() > 1 && block[0] == u'*' && block[1].toUpper() == u'D';
}

QString MTextPlain(const QString& text) {
    QStringList lines;
    SplitMTextLines(text, lines);
    for (QString& line : lines) line = StripMTextCodes(line);
    return TrimText(lines.join(u' '));
}

void AddTexts(const RecordArray<TTextBlk>& texts, DrawingTexts& into) {
    for (const TTextBlk& t : texts) {
        const QString text = t.mtflag ? MTextPlain(t.str) : TrimText(t.str);
        if (text.isEmpty()) continue;
        const TextKind kind = InDimensionBlock(t) ? TextKind::Dimension
                              : t.atflag          ? TextKind::Attrib
                              : t.mtflag          ? TextKind::MText
                                                  : TextKind::Text;
        into.texts.push_back({kind, text});
    }
}

} // namespace

DrawingTexts ReadDrawingTexts(const QString& dxfName) {
    DrawingTexts found;
    QString head, acadVer, status, version;
    if (PeekFileHead(dxfName, head) && HeadRejectsDxf(head)) return found;
    if (!ScanAcadVer(dxfName, acadVer)) return found;
    DxfDrawing d;
    try {
        ReadDxfFile(d, dxfName, nullptr, nullptr, status, ChooseEncoding(acadVer), version);
    } catch (const std::exception&) { // no memory for it: the drawing is skipped
        return found;
    }
    if (!status.isEmpty()) return found;
    found.readable = true;
    AddTexts(d.TextAry, found);
    AddTexts(d.BlkTextAry, found);
    QSet<QString> blocks;
    for (const TBlockBlk& b : d.BlockAry) {
        const QString name = b.name.str();
        if (!name.isEmpty() && name[0] != u'*' && !blocks.contains(name)) {
            blocks.insert(name);
            found.texts.push_back({TextKind::Block, name});
        }
    }
    return found;
}

} // namespace quillon
