#include "dxf/hatch_groups.h"

#include <gtest/gtest.h>
#include <utility>

using namespace quillon;

namespace {

THatchBlk Read(std::initializer_list<std::pair<int, const char*>> groups,
               bool* allTaken = nullptr) {
    THatchBlk h;
    HatchGroups g(h);
    bool ok = true;
    for (const auto& [code, value] : groups) ok = g.take(code, value) && ok;
    if (allTaken) *allTaken = ok;
    return h;
}

} // namespace

TEST(HatchGroups, PathsEdgesAndPatternLinesLandWhereTheirPlaceSays) {
    bool ok = false;
    const THatchBlk h = Read({{10, "0"},
                              {20, "0"},
                              {30, "2.5"},
                              {210, "0"},
                              {220, "0"},
                              {230, "1"},
                              {2, "ANSI31"},
                              {70, "0"},
                              {71, "1"},
                              {91, "2"},
                              // a polyline path with a bulge
                              {92, "7"},
                              {72, "1"},
                              {73, "1"},
                              {93, "2"},
                              {10, "0"},
                              {20, "0"},
                              {42, "1"},
                              {10, "4"},
                              {20, "0"},
                              {42, "1"},
                              {97, "1"},
                              {330, "2A"},
                              // an edge path: line, clockwise arc, ellipse, spline
                              {92, "1"},
                              {93, "4"},
                              {72, "1"},
                              {10, "0"},
                              {20, "0"},
                              {11, "5"},
                              {21, "0"},
                              {72, "2"},
                              {10, "5"},
                              {20, "1"},
                              {40, "1"},
                              {50, "270"},
                              {51, "90"},
                              {73, "0"},
                              {72, "3"},
                              {10, "2"},
                              {20, "2"},
                              {11, "3"},
                              {21, "0"},
                              {40, "0.5"},
                              {50, "0"},
                              {51, "180"},
                              {73, "1"},
                              {72, "4"},
                              {94, "3"},
                              {73, "0"},
                              {74, "0"},
                              {95, "8"},
                              {96, "4"},
                              {40, "0"},
                              {40, "0"},
                              {40, "0"},
                              {40, "0"},
                              {40, "1"},
                              {40, "1"},
                              {40, "1"},
                              {40, "1"},
                              {10, "0"},
                              {20, "0"},
                              {10, "1"},
                              {20, "1"},
                              {10, "2"},
                              {20, "1"},
                              {10, "3"},
                              {20, "0"},
                              {97, "0"},
                              {97, "0"},
                              // style, pattern and seeds
                              {75, "1"},
                              {76, "1"},
                              {52, "45"},
                              {41, "1"},
                              {77, "0"},
                              {78, "2"},
                              {53, "45"},
                              {43, "0"},
                              {44, "0"},
                              {45, "-2.2"},
                              {46, "2.2"},
                              {79, "0"},
                              {53, "135"},
                              {43, "1"},
                              {44, "2"},
                              {45, "3"},
                              {46, "4"},
                              {79, "2"},
                              {49, "5"},
                              {49, "-1.5"},
                              {98, "1"},
                              {10, "9"},
                              {20, "9"}},
                             &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(h.pattern, "ANSI31");
    EXPECT_FALSE(h.solid);
    EXPECT_EQ(h.elevation, 2.5);
    EXPECT_EQ(h.style, 1);
    ASSERT_EQ(h.paths.size(), 2u);
    EXPECT_EQ(h.paths[0].vertices, (std::vector<TAcadPoint>{{0, 0, 0}, {4, 0, 0}}));
    EXPECT_EQ(h.paths[0].bulges, (std::vector<double>{1, 1}));
    const std::vector<THatchEdge>& e = h.paths[1].edges;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].p2, (TAcadPoint{5, 0, 0}));
    EXPECT_EQ(e[1].kind, THatchEdge::Arc);
    EXPECT_FALSE(e[1].ccw);
    EXPECT_EQ(e[1].start, 270);
    EXPECT_EQ(e[2].kind, THatchEdge::Ellipse);
    EXPECT_EQ(e[2].r, 0.5);
    EXPECT_EQ(e[2].p2, (TAcadPoint{3, 0, 0}));
    EXPECT_EQ(e[3].kind, THatchEdge::Spline);
    EXPECT_EQ(e[3].knots.size(), 8u);
    EXPECT_EQ(e[3].control.size(), 4u);
    EXPECT_EQ(e[3].control[1], (TAcadPoint{1, 1, 0}));
    ASSERT_EQ(h.lines.size(), 2u); // the seed point after them adds no pattern line
    EXPECT_EQ(h.lines[0].offset, (TAcadPoint{-2.2, 2.2, 0}));
    EXPECT_EQ(h.lines[1].base, (TAcadPoint{1, 2, 0}));
    EXPECT_EQ(h.lines[1].dashes, (std::vector<double>{5, -1.5}));
}

TEST(HatchGroups, SolidsGradientsAndBadValues) {
    EXPECT_TRUE(Read({{2, "SOLID"}, {70, "1"}}).solid);
    EXPECT_TRUE(Read({{2, "solid"}}).solid);
    const THatchBlk gradient =
        Read({{2, "USER"}, {70, "0"}, {91, "0"}, {75, "0"}, {450, "1"}, {63, "5"}, {63, "2"}});
    EXPECT_TRUE(gradient.solid);
    EXPECT_EQ(gradient.color, 5);
    bool ok = true;
    Read({{91, "1"}, {92, "2"}, {10, "1,5"}}, &ok);
    EXPECT_FALSE(ok);
}
