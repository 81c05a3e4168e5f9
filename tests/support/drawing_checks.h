// Small helpers shared by the drawing tests.
#pragma once

#include "dxf/reader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace quillon::test {

// Records the reader's and the preview's messages as "caption|text".
struct RecordedMessages : MessageSink {
    QStringList shown;
    void showMessage(const QString& caption, const QString& text) override {
        shown << caption + u'|' + text;
    }
};

// The drawing read by one reader and the one read in two halves: every record the same. The
// halves read into `two`, which may hold an earlier drawing, as the window's model does.
inline void ReadAloneAndInHalves(const QString& path, TextEncoding encoding, DxfDrawing& two) {
    DxfDrawing one;
    QString oneStatus, twoStatus, oneVersion, twoVersion;
    ReadDxfFile(one, path, nullptr, nullptr, oneStatus, encoding, oneVersion, TwoThreads::never());
    ReadDxfFile(two, path, nullptr, nullptr, twoStatus, encoding, twoVersion, TwoThreads::always());
    const std::string name = path.toStdString();
    EXPECT_EQ(oneStatus.toStdString(), twoStatus.toStdString()) << name;
    EXPECT_EQ(oneVersion.toStdString(), twoVersion.toStdString()) << name;
    EXPECT_TRUE(one.LayerAry == two.LayerAry) << name;
    EXPECT_TRUE(one.ViewAry == two.ViewAry) << name;
    int array = 0;
    ForEachRecordArray(one, two, [&](const auto& a, const auto& b) {
        EXPECT_TRUE(a == b) << name << ": array " << array << ", " << a.size() << " against "
                            << b.size() << " records";
        ++array;
    });
}

inline void ExpectNearPoint(const TAcadPoint& a, const TAcadPoint& b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
    EXPECT_NEAR(a.z, b.z, 1e-9);
}

} // namespace quillon::test
