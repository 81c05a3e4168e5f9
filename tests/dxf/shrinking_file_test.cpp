// A drawing that another program shortens and writes again while it is read.
#include "dxf/reader.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <atomic>
#include <thread>

using namespace quillon;
using quillon::test::EntitiesSection;
using quillon::test::TempFolder;

namespace {

QByteArray Lines(int count) {
    QByteArray body;
    for (int i = 0; i < count; ++i) {
        const QByteArray x = QByteArray::number(i) + ".25\n";
        body += "0\nLINE\n8\nWALLS\n10\n" + x + "20\n" + x + "11\n" + x + "21\n" + x;
    }
    return EntitiesSection(body);
}

} // namespace

// Each read ends as a read of the bytes it got: to the end, at a pair cut short, or as an error.
TEST(ShrinkingFile, ReadsEndCleanlyWhileTheFileIsCutAndWrittenAgain) {
    constexpr int kLines = 60000; // about 4.5 MB: copied by two threads, read in two halves
    const QByteArray whole = Lines(kLines);
    TempFolder dir;
    const QString path = dir.write("saved.dxf", whole);
    std::atomic<bool> reading = true;
    std::thread saver([&] {
        for (qsizetype cut = 0; reading; cut = (cut + whole.size() / 7 + 4093) % whole.size()) {
            QFile f(path);
            if (!f.open(QIODevice::ReadWrite) || !f.resize(cut) || !f.seek(cut)) continue;
            for (qsizetype at = cut; at < whole.size(); at += 1 << 16)
                f.write(whole.constData() + at, std::min<qsizetype>(1 << 16, whole.size() - at));
        }
    });
    const QRegularExpression stoppedAtPair(QStringLiteral("^\\d+:.*/\\d+:.*$"));
    for (int read = 0; read < 200; ++read) {
        DxfDrawing d;
        QString status, version;
        ReadDxfFile(d, path, nullptr, nullptr, status, TextEncoding::Cp932, version,
                    TwoThreads{size_t(1) << 20});
        EXPECT_TRUE(status.isEmpty() || status == "error" || stoppedAtPair.match(status).hasMatch())
            << status.toStdString();
        EXPECT_LE(d.LineAry.size(), size_t(kLines));
    }
    reading = false;
    saver.join();
}
