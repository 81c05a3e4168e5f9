#include "dxf/pair_parser.h"

#include "dxf/group_values.h"

namespace quillon {

using sv = std::string_view;

void PairParser::pair(int code, sv v) {
    header(code, v);
    if (at_.layerTable) layerTable(code, v);
    if (at_.viewTable) viewTable(code, v);
    if (at_.inTable && code == 2) {
        if (v == "LAYER")
            at_.layerTable = true;
        else if (v == "VIEW")
            at_.viewTable = true;
    }
    if (code == 0) {
        if (v == "TABLE") {
            at_.inTable = tablesOrHeader_ = true;
        } else if (v == "ENDBLK") {
            records_.stop();
            at_.blockBody = false;
        } else if (v == "ENDSEC") {
            records_.stop();
            at_.viewRecord = at_.blockBody = at_.inEntities = at_.inBlocks = false;
        }
    }
    if (at_.blockHeader && at_.inBlocks) blockHeader(code, v);
    if (at_.blockBody || at_.inEntities) {
        if (code == 0)
            records_.next(v, at_.blockBody, at_.currentBlock);
        else
            records_.group(code, v);
    }
    if (code == 0 && v == "BLOCK" && at_.inBlocks) {
        d_.BlockAry.emplace_back();
        at_.blockHeader = true;
    }
    if (code == 2) {
        if (v == "BLOCKS" && !at_.inBlocks) {
            at_.inBlocks = true;
            at_.blockHeader = false;
        } else if (v == "ENTITIES" && !at_.inEntities) {
            at_.inEntities = true;
        }
    }
}

void PairParser::header(int code, sv v) {
    if (at_.header && at_.version.isEmpty()) {
        if (at_.versionFollows) {
            if (code == 1) at_.version = dec_.text(v);
        } else if (code == 9 && v == "$ACADVER") {
            at_.versionFollows = true;
        }
    }
    if (!at_.header && code == 2 && v == "HEADER") at_.header = tablesOrHeader_ = true;
}

void PairParser::layerTable(int code, sv v) {
    records_.forgetLayerColours(); // the table may change the colour of a layer looked up before
    if (at_.layerRecord && !d_.LayerAry.empty()) {
        TLayer& l = d_.LayerAry.back();
        switch (code) {
        case 2:
            layers_.forgetNewest(); // indexed under its former name, if at all
            l.Name = dec_.name(v);
            break;
        case 6: l.ltype = dec_.upperName(v); break;
        case 70:
            l.code70 = Small(v);
            if (l.code70 & 1) l.visible = false;
            break;
        case 62:
            l.color = Small(v);
            if (l.color < 0) l.visible = false;
            break;
        case 0: at_.layerRecord = false; break;
        default: break;
        }
    }
    if (code != 0) return;
    if (v == "ENDTAB") {
        at_.layerTable = at_.layerRecord = at_.inTable = false;
    } else if (v == "LAYER") {
        d_.LayerAry.push_back(DefaultLayer(QString()));
        at_.layerRecord = true;
    }
}

void PairParser::viewTable(int code, sv v) {
    if (at_.viewRecord && !d_.ViewAry.empty()) {
        TViewTbl& t = d_.ViewAry.back();
        switch (code) {
        case 2: t.name = dec_.text(v); break;
        case 10: t.center.x = Real(v); break;
        case 20: t.center.y = Real(v); break;
        case 40: t.height = Real(v); break;
        case 41: t.width = Real(v); break;
        case 70: t.code70 = Small(v); break;
        case 0: at_.viewRecord = false; break;
        default: break;
        }
    }
    if (code != 0) return;
    if (v == "ENDTAB") {
        at_.viewTable = false;
    } else if (v == "VIEW") {
        d_.ViewAry.emplace_back();
        at_.viewRecord = true;
    }
}

void PairParser::blockHeader(int code, sv v) {
    if (d_.BlockAry.empty()) return;
    TBlockBlk& b = d_.BlockAry.back();
    switch (code) {
    case 2:
        b.name = dec_.name(v);
        at_.currentBlock = b.name;
        break;
    case 8: b.layer = dec_.name(v); break;
    case 6: b.ltype = dec_.upperName(v); break;
    case 0:
        at_.blockHeader = false;
        at_.blockBody = true;
        break;
    default: TakePoint(b.base, 10, code, v); break;
    }
}

} // namespace quillon
