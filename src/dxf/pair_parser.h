// A DXF file read one pair (group code, value) at a time: where the pair lies among the
// sections, the version in the HEADER section, the LAYER and VIEW tables, the block headers; the
// entity records go to a RecordParser.
#pragma once

#include "dxf/layer_index.h"
#include "dxf/model.h"
#include "dxf/record_parser.h"
#include "dxf/text_decoding.h"
#include "dxf/value_decoder.h"

#include <QString>
#include <string_view>

namespace quillon {

// Where the parser is among the file's sections: all that a parser continuing from an entity
// boundary of the ENTITIES section needs to know of what came before.
struct Sections {
    bool header = false, versionFollows = false;
    QString version;
    bool inTable = false, layerTable = false, layerRecord = false;
    bool viewTable = false, viewRecord = false;
    bool inBlocks = false, blockHeader = false, blockBody = false, inEntities = false;
    Name currentBlock; // the block definition most recently opened
    bool operator==(const Sections&) const = default;
};

class PairParser {
public:
    PairParser(DxfDrawing& d, TextEncoding e) : d_(d), dec_(e) {}
    // A parser into `d` that goes on from an entity boundary of the ENTITIES section `other`
    // has reached.
    PairParser(DxfDrawing& d, TextEncoding e, const PairParser& other) : PairParser(d, e) {
        at_ = other.at_;
    }
    PairParser(const PairParser&) = delete;
    PairParser& operator=(const PairParser&) = delete;

    // Throws BadValue at a value that is not the number its group needs.
    void pair(int code, std::string_view v);

    const Sections& sections() const { return at_; }
    // Ends the open record as the next entity would: the parser is then at an entity boundary.
    void endEntity() { records_.stop(); }
    // A table or the header read after the ENTITIES section (unusual) changes the drawing in
    // ways that two halves read apart cannot join.
    bool readTablesOrHeader() const { return tablesOrHeader_; }

private:
    void header(int code, std::string_view v);
    void layerTable(int code, std::string_view v);
    void viewTable(int code, std::string_view v);
    void blockHeader(int code, std::string_view v);

    DxfDrawing& d_;
    ValueDecoder dec_;
    LayerIndex layers_{d_.LayerAry};
    RecordParser records_{d_, dec_, layers_};
    Sections at_;
    bool tablesOrHeader_ = false;
};

} // namespace quillon
