#include "dxf/split_read.h"

#include "dxf/block_expansion.h"
#include "dxf/group_values.h"

#include <exception>
#include <thread>

namespace quillon {

namespace {

using sv = std::string_view;

// Reads the next line; lines end at CR LF, a lone CR or a lone LF. DXF lines are short, so a
// plain scan beats library searches here.
inline sv NextLine(const char* data, size_t size, size_t& pos) {
    const size_t start = pos;
    size_t e = start;
    while (e < size && data[e] != '\n' && data[e] != '\r') ++e;
    pos = e;
    if (pos < size && data[pos++] == '\r' && pos < size && data[pos] == '\n') ++pos;
    return TrimBytes(sv(data + start, e - start));
}

int CodeOf(sv line) {
    int32_t c;
    return ParseInt(line, c) ? c : -999;
}

// Gives the memory of the file's bytes behind the reader that reads from the file's start back
// to the system every few megabytes: a large file's bytes then never all sit in the program's
// memory beside the records read from them.
class PassedPages {
public:
    explicit PassedPages(const FileBytes& bytes) : bytes_(bytes) {}
    void passed(size_t pos) {
        if (pos >= from_ + kStep) {
            bytes_.release(from_, pos);
            from_ = pos;
        }
    }

private:
    static constexpr size_t kStep = size_t(4) << 20;
    const FileBytes& bytes_;
    size_t from_ = 0;
};

// Reads pairs from `pos` to `end` (the file's end, or the start of a line), counting them in
// `n`; `afterPair(n)` returning false stops it. Stops before a pair that would run past `end`
// when that is not the file's end. Returns false at a bad value.
template <class AfterPair>
bool ReadPairs(PairParser& parser, const char* data, size_t end, size_t size, size_t& pos,
               int64_t& n, BadPair& bad, AfterPair&& afterPair) {
    while (pos < end) {
        const size_t at = pos;
        const sv codeLine = NextLine(data, end, pos);
        if (pos >= end && end < size) {
            pos = at;
            break;
        }
        const sv valueLine = pos < end ? NextLine(data, end, pos) : sv{};
        ++n;
        try {
            parser.pair(CodeOf(codeLine), valueLine);
        } catch (const BadValue&) {
            bad = {codeLine, valueLine, n};
            return false;
        }
        if (!afterPair(n)) break;
    }
    return true;
}

// The entities worth starting the second half at: common kinds that begin no sequence.
bool StartsHalf(sv name) {
    for (const sv kind :
         {"LINE", "ARC", "CIRCLE", "LWPOLYLINE", "POLYLINE", "TEXT", "MTEXT", "INSERT"})
        if (name == kind) return true;
    return false;
}

// The start of a "0" line followed by one of those entities, at or after `at`; 0 when none is
// found near it.
size_t EntityStartAfter(const char* data, size_t at, size_t size) {
    size_t pos = at;
    while (pos < size && data[pos] != '\n') ++pos; // to the start of a line
    ++pos;
    for (int lines = 0; pos < size && lines < 100000; ++lines) {
        const size_t start = pos;
        const sv line = NextLine(data, size, pos);
        if (line == "0" && pos < size) {
            size_t next = pos;
            if (StartsHalf(NextLine(data, size, next))) return start;
        }
    }
    return 0;
}

// Sizes the arrays of `d` for the records the bytes from `pos` to `until` will bring, judged by
// those the stretch from `start` to `pos` brought (`before`: the arrays' sizes at `start`), so
// that they do not grow step by step. With `reducedBefore` the drawable arrays are sized for
// what the reduction will make of them too, so that it does not move them either.
void SizeForTheRest(DxfDrawing& d, const std::vector<size_t>& before,
                    const DrawableCounts* reducedBefore, size_t start, size_t pos, size_t until) {
    const double rest = double(until - pos) / double(pos - start) * 1.25;
    const size_t most = (until - pos) / 16; // no record takes fewer bytes
    const auto room = [&](size_t now, size_t then) {
        const double grown = now > then ? double(now - then) : 0;
        return now + size_t(std::min(double(most), grown * rest));
    };
    if (reducedBefore) {
        const DrawableCounts reduced = ReducedSizes(d);
        d.LineAry.reserve(room(reduced.lines, reducedBefore->lines));
        d.CircleAry.reserve(room(reduced.circles, reducedBefore->circles));
        d.ArcAry.reserve(room(reduced.arcs, reducedBefore->arcs));
        d.TextAry.reserve(room(reduced.texts, reducedBefore->texts));
    }
    size_t k = 0;
    ForEachRecordArray(d, d, [&](auto& a, auto&) { a.reserve(room(a.size(), before[k++])); });
}

// One reader's part of the bytes: where it is and how many pairs it read.
struct Part {
    PairParser& parser;
    DxfDrawing& d;
    size_t pos;
    int64_t n = 0;
    BadPair bad;
};

// Reads entities of `p` up to `end` as ReadPairs does, first a stretch of them up to an entity
// by which the arrays are sized for the bytes up to `until` (SizeForTheRest; `reduced` as its
// `reducedBefore`).
template <class OnPair>
bool ReadSized(Part& p, const char* data, size_t end, size_t until, bool reduced, size_t size,
               OnPair&& onPair) {
    const size_t start = p.pos, stretch = EntityStartAfter(data, p.pos + (end - p.pos) / 64, end);
    if (stretch > start) {
        std::vector<size_t> before;
        ForEachRecordArray(p.d, p.d,
                           [&](const auto& a, const auto&) { before.push_back(a.size()); });
        const DrawableCounts reducedBefore = reduced ? ReducedSizes(p.d) : DrawableCounts{};
        if (!ReadPairs(p.parser, data, stretch, size, p.pos, p.n, p.bad, onPair)) return false;
        if (p.pos == stretch && p.parser.sections().inEntities) {
            p.parser.endEntity(); // no record open while the arrays move
            SizeForTheRest(p.d, before, reduced ? &reducedBefore : nullptr, start, p.pos, until);
        }
    }
    return ReadPairs(p.parser, data, end, size, p.pos, p.n, p.bad, onPair);
}

// Reads the rest of the ENTITIES section, which starts at `first.pos`, in two halves at once:
// the second, into `out.second`, by a parser that starts where the first will end, on a thread
// of its own. Appending it (AppendDrawing) then makes the drawing one parser makes; the first
// half sizes the drawing's arrays for both. Should the first half not end exactly where the
// second began (a damaged file), or the second read tables, the second half is dropped and the
// first parser reads on from where it stopped: the second half's bytes are kept to the end for
// that. Returns false at a bad value, as ReadPairs does. (The second parser cannot change the
// version: a header would have dropped its half.)
template <class OnPair>
bool ReadInHalves(Part& first, TextEncoding encoding, const char* data, size_t size, PairsRead& out,
                  OnPair&& onPair) {
    const size_t half = EntityStartAfter(data, first.pos + (size - first.pos) / 2, size);
    if (half == 0) return true;
    const Sections at = first.parser.sections();
    out.second.LayerAry = first.d.LayerAry;
    out.sharedLayers = out.second.LayerAry.size();
    PairParser otherParser(out.second, encoding, first.parser);
    Part other{otherParser, out.second, half, 0, {}};
    bool otherOk = true;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            otherOk = ReadSized(other, data, size, size, false, size, [](int64_t) { return true; });
        } catch (...) {
            failure = std::current_exception();
        }
    });
    bool ok = false;
    try {
        ok = ReadSized(first, data, half, size, true, size, onPair);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (!ok || first.pos != half || !(first.parser.sections() == at) ||
        otherParser.readTablesOrHeader()) {
        out.second = {};
        return ok;
    }
    if (failure) std::rethrow_exception(failure);
    first.parser.endEntity();
    first.pos = size;
    if (otherOk) {
        first.n += other.n;
        return true;
    }
    first.bad = other.bad;
    first.bad.n += first.n;
    return false;
}

} // namespace

void ReadAllPairs(PairParser& parser, DxfDrawing& drawing, const FileBytes& bytes, size_t from,
                  TextEncoding encoding, TwoThreads twoThreads, ProgressSink* bar, PairsRead& out) {
    const char* const data = bytes.data();
    const size_t size = bytes.size();
    int64_t step = 0;
    if (bar) {
        bar->setPosition(0);
        bar->setMaximum(50);
        step = int64_t(size) * 65 / 1024 / 50 + 1;
    }
    Part first{parser, drawing, from, 0, {}};
    PassedPages passed(bytes);
    const auto onPair = [&](int64_t k) {
        passed.passed(first.pos);
        if (bar && k % step == 0) bar->setPosition(std::min(bar->position() + 1, 50));
        return true;
    };
    bool ok = true;
    if (twoThreads.worth(size)) {
        ok = ReadPairs(parser, data, size, size, first.pos, first.n, first.bad, [&](int64_t k) {
            onPair(k);
            return !parser.sections().inEntities;
        });
        if (ok && parser.sections().inEntities && twoThreads.worth(size - first.pos))
            ok = ReadInHalves(first, encoding, data, size, out, onPair);
    }
    if (ok) ok = ReadPairs(parser, data, size, size, first.pos, first.n, first.bad, onPair);
    out.ok = ok;
    out.bad = first.bad;
}

} // namespace quillon
