// One conversion at a time on a thread of its own: the caller's thread is neither held nor
// re-entered while the converter runs. The output of the last run is kept for its file while
// neither file changes, so that the same drawing is not converted again.
#pragma once

#include "convert/converter.h"

#include <QDateTime>
#include <QObject>
#include <atomic>
#include <thread>

namespace quillon {

class BackgroundConversion : public QObject {
    Q_OBJECT
public:
    explicit BackgroundConversion(QObject* parent = nullptr);
    ~BackgroundConversion() override; // stops a converter still running

    bool running() const { return worker_.joinable(); }
    QString inputFile() const { return input_; } // of the running or the last run

    // The output the last run made of the file, while neither has changed since; else empty.
    QString madeFor(const QString& inputFile, const QString& type) const;

    // Starts converting the file to the type ("DXF"/"DWG"); false while a run is going on. The
    // call's owner, processEvents and busy are not used: finished() tells how it ended.
    bool start(ConverterCall call, const QString& inputFile, const QString& type);

signals:
    // On this object's thread.
    void finished(const QString& inputFile, const Conversion& run);

private:
    struct Stamp {
        QDateTime input, output;
        qint64 inputSize = -1;
    };
    static Stamp stampOf(const QString& input, const QString& output);

    std::thread worker_;
    std::atomic<bool> stop_{false};
    QString input_, type_, output_;
    Stamp made_; // of output_, when the last run made it
};

} // namespace quillon
