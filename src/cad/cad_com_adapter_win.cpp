// The CAD interfaces over nanoCAD's COM object, each connection in an apartment of its own so that
// a CAD that does not answer holds up no caller for longer than the bound.
#include "cad/cad_application.h"
#include "cad/com_apartment_win.h"
#include "cad/nanocad_com_win.h"

#include <string>

namespace quillon {

namespace {

// How long the CAD may take to answer all the calls of one connection together.
constexpr unsigned kCadBoundMs = 10000;

using Apartment = std::shared_ptr<com::CadApartment>;

std::wstring Wide(std::u16string_view s) {
    return {s.begin(), s.end()}; // both UTF-16 on Windows
}

class ComDocument : public CadDocument {
public:
    explicit ComDocument(Apartment a) : a_(std::move(a)) {}
    bool SendCommand(std::u16string_view text) override {
        return a_
            ->call<bool>(
                [text = Wide(text)](com::CadObjects& o) { return o.document->SendCommand(text); })
            .value_or(false);
    }

private:
    Apartment a_;
};

class ComApplication : public CadApplication {
public:
    explicit ComApplication(Apartment a) : a_(std::move(a)) {}
    bool windowState(int& state) override {
        long s = 0;
        if (!Read(&com::NanoCadApplication::WindowState, s)) return false;
        state = int(s);
        return true;
    }
    bool setWindowState(int state) override {
        return a_
            ->call<bool>(
                [state](com::CadObjects& o) { return o.application->SetWindowState(state); })
            .value_or(false);
    }
    bool mainWindow(std::uintptr_t& handle) override {
        return Read(&com::NanoCadApplication::MainWindow, handle);
    }
    bool bringToFront(std::uintptr_t handle) override {
        return com::NanoCadApplication::BringToFront(handle);
    }
    std::unique_ptr<CadDocument> activeDocument() override {
        const bool taken = a_->call<bool>([](com::CadObjects& o) {
                                 o.document = o.application->ActiveDocument();
                                 return o.document != nullptr;
                             }).value_or(false);
        return taken ? std::make_unique<ComDocument>(a_) : nullptr;
    }

private:
    // A property of the application read in its apartment: false when the call failed or its
    // answer came too late.
    template <typename T> bool Read(bool (com::NanoCadApplication::*get)(T&), T& value) {
        const auto read = a_->call<std::optional<T>>([get](com::CadObjects& o) {
            T v{};
            return (*o.application.*get)(v) ? std::optional(v) : std::nullopt;
        });
        if (!read || !*read) return false;
        value = **read;
        return true;
    }

    Apartment a_;
};

} // namespace

CadWindow FindCadWindow(std::u16string_view title) {
    const com::TopWindow w = com::FindTopWindow(Wide(title));
    return {w.exists, w.enabled};
}

std::unique_ptr<CadApplication> CreateCadApplication(std::u16string_view) {
    auto a = std::make_shared<com::CadApartment>(kCadBoundMs);
    const bool made = a->call<bool>([](com::CadObjects& o) {
                           o.application = com::NanoCadApplication::Create();
                           return o.application != nullptr;
                       }).value_or(false);
    return made ? std::make_unique<ComApplication>(std::move(a)) : nullptr;
}

} // namespace quillon
