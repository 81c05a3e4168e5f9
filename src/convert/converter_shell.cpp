// The converter process on Windows: the shell's start of the converter (converter_process_win.cpp)
// with the parameters as one quoted string, as the converter's Windows build reads them.
#include "convert/converter.h"
#include "convert/converter_process_win.h"

namespace quillon {

namespace {

class ShellConverterProcess : public ConverterProcess {
public:
    bool start(const QString& converter, const ConversionJob& job, bool showWindow) override {
        return shell_.start(converter.toStdWString(), QuotedParameters(job).toStdWString(),
                            showWindow);
    }
    bool ended() override { return shell_.ended(); }
    void stop() override { shell_.stop(); }

private:
    ShellConverter shell_;
};

} // namespace

std::unique_ptr<ConverterProcess> MakeConverterProcess() {
    return std::make_unique<ShellConverterProcess>();
}

} // namespace quillon
