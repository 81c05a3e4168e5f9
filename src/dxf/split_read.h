// Every pair of a file's bytes read into a drawing: on one thread, or, for a long ENTITIES
// section on a machine of two cores or more, in two halves at once, with the drawing's arrays
// sized ahead for the records the rest of the file will bring.
#pragma once

#include "dxf/file_bytes.h"
#include "dxf/model.h"
#include "dxf/pair_parser.h"
#include "dxf/reader.h"
#include "dxf/sinks.h"

#include <string_view>

namespace quillon {

// Where reading stopped at a value that is not a number: the pair and its number.
struct BadPair {
    std::string_view code, value;
    int64_t n = 0;
};

struct PairsRead {
    bool ok = true; // false: reading stopped at `bad`
    BadPair bad;
    // The records of the second half, to be appended to the first's (AppendDrawing) with the
    // number of layers the two halves shared.
    DxfDrawing second;
    size_t sharedLayers = 0;
};

// Reads the pairs of `bytes` from `from` into `drawing` with `parser`, moving `bar` over 50
// steps. The second half's bytes are kept to the end; the first's are given back to the system
// as they are passed.
void ReadAllPairs(PairParser& parser, DxfDrawing& drawing, const FileBytes& bytes, size_t from,
                  TextEncoding encoding, TwoThreads twoThreads, ProgressSink* bar, PairsRead& out);

} // namespace quillon
