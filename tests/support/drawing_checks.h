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

inline void ExpectNearPoint(const TAcadPoint& a, const TAcadPoint& b) {
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_NEAR(a.y, b.y, 1e-9);
    EXPECT_NEAR(a.z, b.z, 1e-9);
}

} // namespace quillon::test
