// sources: src/dxf/code_page_win.cpp
// The Windows code-page layer against the cases both layers share.
#include "dxf/code_page.h"
#include "dxf/code_page_cases.h"
#include "win/win_check.h"

#include <cstdio>
#include <string>

using namespace quillon;

int main() {
    for (const CodePageCase& c : kDecodeCases) {
        if (!CHECK(DecodeCodePage(c.bytes, c.page) == c.text))
            std::fprintf(stderr, "  decoding: %s\n", c.what);
        if (c.roundTrip && !CHECK(EncodeCodePage(c.text, c.page) == c.bytes))
            std::fprintf(stderr, "  encoding: %s\n", c.what);
    }
    for (const EncodeCase& c : kEncodeCases)
        if (!CHECK(EncodeCodePage(c.text, c.page) == c.bytes))
            std::fprintf(stderr, "  encoding: %s\n", c.what);
    // Bounded output whatever the input: every byte and every pair of bytes of page 932.
    std::string all;
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = 0; trail < 256; ++trail) all += {char(lead), char(trail)};
    CHECK(DecodeCodePage(all, 932).size() <= all.size());
    return WinCheckSummary();
}
