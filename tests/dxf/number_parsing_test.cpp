#include "dxf/number_parsing.h"

#include <charconv>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace quillon;

namespace {

// The real read, bit for bit, as std::from_chars reads it.
void ExpectAsTheLongWay(const std::string& s) {
    const size_t from = s[0] == '+' ? 1 : 0;
    double read = 0, expected = 0;
    const auto r = std::from_chars(s.data() + from, s.data() + s.size(), expected);
    ASSERT_TRUE(r.ec == std::errc() && r.ptr == s.data() + s.size()) << s;
    ASSERT_TRUE(ParseReal(s, read)) << s;
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << s << ": " << read;
}

} // namespace

TEST(Numbers, RealsAreReadAsTheLongWayReadsThemToTheLastBit) {
    for (const char* s :
         {"0", "-0.0", ".5", "5.", "0.1", "+2.5", "9007199254740992", "9007199254740993",
          "900719925474099.3", "12345678901234567890", "123456789012345678901234.5",
          "0.0000000000000000000001", "0.00000000000000000000001", "1234.5678901234567", "1e5"})
        ExpectAsTheLongWay(s);
    for (const char* s : {"inf", "nan", "", "-", "1.2.3", "1,5"}) {
        double read = 0;
        EXPECT_FALSE(ParseReal(s, read)) << s;
    }
    // Reals as CAD programs write them: the shortest text that reads back to the same double.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-2e5, 2e5);
    for (int i = 0; i < 100000; ++i) {
        char text[64];
        const double v = i % 2 ? spread(random) : spread(random) / 1e9;
        const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
        ExpectAsTheLongWay(std::string(text, r.ptr));
    }
}
