// The window's decisions, without widgets.
#include "app/file_mask.h"
#include "app/registered_folders.h"
#include "app/selection_rules.h"
#include "app/settings.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::TempFolder;

TEST(SelectionRules, WhatASelectedPathEnables) {
    const struct {
        const char* path;
        bool convertFirst, convert, insert;
    } cases[] = {
        {"/lib/a.DWG", false, true, true},      {"/lib/a.dxf", true, false, true},
        {"/lib/a.dxf", false, false, false},    {"/lib/aDXF", true, false, false},
        {"/lib.dwg/a.txt", true, false, false},
    };
    for (const auto& c : cases) {
        const SelectionActions a = ActionsForPath(c.path, c.convertFirst);
        EXPECT_EQ(a.convert, c.convert) << c.path;
        EXPECT_EQ(a.insert, c.insert) << c.path << c.convertFirst;
    }
}

TEST(SelectionRules, TypedMaskMatchesDwgNamesContainingItAndEveryDxf) {
    const QStringList patterns = MaskPatterns(MaskForTyped("a*b"));
    const struct {
        const char* name;
        bool listed;
    } cases[] = {{"xAyyB.dwg", true}, {"ab.DWG", true}, {"ba.dwg", false},
                 {"zz.dxf", true},    {"zzDXF", true},  {"ab.dwg.bak", false}};
    for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, patterns), c.listed) << c.name;
}

TEST(RegisteredFolders, SortedWithoutRegardToCaseAndFoundSo) {
    QStringList entries = {"beta | /b", "Alpha | /a", "alpha | /c", "gamma | /g"};
    SortRegisteredFolders(entries);
    EXPECT_EQ(entries, (QStringList{"Alpha | /a", "alpha | /c", "beta | /b", "gamma | /g"}));
    EXPECT_EQ(FindRegisteredFolder(entries, "BETA | /B"), 2);
    EXPECT_EQ(FindRegisteredFolder(entries, "beta"), -1);
}

TEST(Settings, MissingKeysTakeTheDefaultsAndAWriteReadsBack) {
    TempFolder tmp;
    const QString path = tmp.write("q.ini", "[dwgView]\nwhiteonblack=1\n");
    Settings defaults;
    defaults.left = 12;
    defaults.directory = "/start";
    Settings s = ReadSettings(path, defaults);
    EXPECT_EQ(s.left, 12);
    EXPECT_EQ(s.directory, "/start");
    EXPECT_TRUE(s.whiteOnBlack);
    EXPECT_EQ(s.converterPath, "[未登録]");
    s.converterPath = "/opt/R&D/conv";
    s.makeImage = "イメージ作成 ZoomLimits";
    ASSERT_TRUE(WriteSettings(path, s));
    const Settings again = ReadSettings(path, Settings{});
    EXPECT_EQ(again.converterPath, "/opt/R&D/conv");
    EXPECT_EQ(again.makeImage, "イメージ作成 ZoomLimits");
    EXPECT_EQ(again.left, 12);
}
