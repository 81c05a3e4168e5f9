#include "convert/background_conversion.h"

#include <QFileInfo>

namespace quillon {

BackgroundConversion::BackgroundConversion(QObject* parent) : QObject(parent) {}

BackgroundConversion::~BackgroundConversion() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

BackgroundConversion::Stamp BackgroundConversion::stampOf(const QString& input,
                                                          const QString& output) {
    const QFileInfo in(input), out(output);
    return {in.lastModified(), out.exists() ? out.lastModified() : QDateTime(), in.size()};
}

QString BackgroundConversion::madeFor(const QString& inputFile, const QString& type) const {
    if (running() || output_.isEmpty() || inputFile != input_ || type != type_) return {};
    const Stamp now = stampOf(input_, output_);
    const bool unchanged = now.output.isValid() && now.output == made_.output &&
                           now.input == made_.input && now.inputSize == made_.inputSize;
    return unchanged ? output_ : QString();
}

bool BackgroundConversion::start(ConverterCall call, const QString& inputFile,
                                 const QString& type) {
    if (running()) return false;
    input_ = inputFile;
    type_ = type;
    output_.clear();
    stop_ = false;
    call.owner = nullptr; // no message boxes off the user-interface thread
    call.processEvents = nullptr;
    call.busy = nullptr;
    call.shuttingDown = [this] { return stop_.load(); };
    worker_ = std::thread([this, call = std::move(call), inputFile, type] {
        const Conversion run = RunConverter(call, inputFile, false, type);
        const Stamp stamp = stampOf(inputFile, run.output);
        QMetaObject::invokeMethod(
            this,
            [this, inputFile, run, stamp] {
                worker_.join();
                output_ = run.produced ? run.output : QString();
                made_ = stamp;
                emit finished(inputFile, run);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace quillon
