// libFuzzer target: any bytes as a DWG file, its preview loaded and shown.
#include "dwg/thumbnail.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input.dwg"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    QImage picture;
    quillon::ShowDwgThumbnail(path, {120, 90}, {0, true, size % 2 == 0}, picture);
    return 0;
}
