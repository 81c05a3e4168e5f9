#include "dxf/code_page.h"
#include "dxf/code_page_cases.h"

#include <gtest/gtest.h>

#include <thread>

using namespace quillon;

TEST(CodePage, DecodesAndEncodesAsMicrosoftsTables) {
    for (const CodePageCase& c : kDecodeCases) {
        EXPECT_TRUE(DecodeCodePage(c.bytes, c.page) == c.text) << c.what;
        if (c.roundTrip) {
            EXPECT_EQ(EncodeCodePage(c.text, c.page), c.bytes) << c.what;
        }
    }
    for (const EncodeCase& c : kEncodeCases)
        EXPECT_EQ(EncodeCodePage(c.text, c.page), c.bytes) << c.what;
}

TEST(CodePage, EveryByteSequenceDecodesToAtMostOneUnitPerByte) {
    std::string all;
    for (int lead = 0; lead < 256; ++lead)
        for (int trail = 0; trail < 256; ++trail) all += {char(lead), char(trail)};
    for (unsigned page : {932u, 1252u, 1255u, 1258u, 65001u})
        EXPECT_LE(DecodeCodePage(all, page).size(), all.size()) << page;
}

TEST(CodePage, ConvertsOnSeveralThreadsAtOnce) {
    // Each thread keeps converters of its own; two readers decode at the same time.
    std::u16string a, b;
    std::thread other([&] { a = DecodeCodePage("\x93\xFA\x96\x7B", 932); });
    b = DecodeCodePage("\x93\xFA\x96\x7B", 932);
    other.join();
    EXPECT_TRUE(a == u"\u65E5\u672C" && b == a);
}
