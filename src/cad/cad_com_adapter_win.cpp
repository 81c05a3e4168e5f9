// The CAD interfaces over nanoCAD's COM object.
#include "cad/cad_application.h"
#include "cad/nanocad_com_win.h"

namespace quillon {

namespace {

class ComDocument : public CadDocument {
public:
    explicit ComDocument(std::unique_ptr<com::NanoCadDocument> d) : d_(std::move(d)) {}
    bool SendCommand(const QString& text) override { return d_->SendCommand(text.toStdWString()); }

private:
    std::unique_ptr<com::NanoCadDocument> d_;
};

class ComApplication : public CadApplication {
public:
    explicit ComApplication(std::unique_ptr<com::NanoCadApplication> a) : a_(std::move(a)) {}
    bool windowState(int& state) override {
        long s = 0;
        if (!a_->WindowState(s)) return false;
        state = int(s);
        return true;
    }
    bool setWindowState(int state) override { return a_->SetWindowState(state); }
    bool mainWindow(std::uintptr_t& handle) override { return a_->MainWindow(handle); }
    bool bringToFront(std::uintptr_t handle) override {
        return com::NanoCadApplication::BringToFront(handle);
    }
    std::unique_ptr<CadDocument> activeDocument() override {
        auto d = a_->ActiveDocument();
        return d ? std::make_unique<ComDocument>(std::move(d)) : nullptr;
    }

private:
    std::unique_ptr<com::NanoCadApplication> a_;
};

} // namespace

CadWindow FindCadWindow(const QString& title) {
    const com::TopWindow w = com::FindTopWindow(title.toStdWString());
    return {w.exists, w.enabled};
}

std::unique_ptr<CadApplication> CreateCadApplication(const QString&) {
    auto a = com::NanoCadApplication::Create();
    return a ? std::make_unique<ComApplication>(std::move(a)) : nullptr;
}

} // namespace quillon
