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
        RunEnd end = RunEnd::Ended;
        const bool ended = RunConverter(call, inputFile, false, type, &end);
        const QString expected = ExpectedOutput(inputFile, call.outputFolder, type);
        const QString output = ended && QFileInfo::exists(expected) ? expected : QString();
        const Stamp stamp = stampOf(inputFile, expected);
        QMetaObject::invokeMethod(
            this,
            [this, inputFile, end, output, stamp] {
                worker_.join();
                output_ = output;
                made_ = stamp;
                emit finished(inputFile, end, output);
            },
            Qt::QueuedConnection);
    });
    return true;
}

} // namespace quillon
