// The converter started as a process with its seven parameters as an argument list: no shell, so
// names with blanks, quotes or "&" reach it unchanged. It has no window to show here.
#include "convert/converter.h"

#include <QProcess>

namespace quillon {

namespace {

class PosixConverterProcess : public ConverterProcess {
public:
    bool start(const QString& converter, const ConversionJob& job, bool) override {
        process_.setProgram(converter);
        process_.setArguments(ConverterArguments(job));
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start();
        return process_.waitForStarted(10000);
    }
    bool ended() override {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(1);
    }
    void stop() override {
        process_.kill();
        process_.waitForFinished(1000);
    }

private:
    QProcess process_;
};

} // namespace

std::unique_ptr<ConverterProcess> MakeConverterProcess() {
    return std::make_unique<PosixConverterProcess>();
}

} // namespace quillon
