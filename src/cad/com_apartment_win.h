// A single-threaded COM apartment on a thread of its own, holding one connection to the CAD: its
// objects are made, used and released there, and a caller waits for each call within what is
// left of a bound on all of them. A CAD that does not answer in time leaves the caller at once
// with a failure; its thread is given up and ends by itself when the stuck call returns. Win32
// and standard C++ only.
#pragma once

#include "cad/nanocad_com_win.h"

#include <functional>
#include <memory>
#include <optional>

namespace quillon::com {

// The connection's objects; touched on the apartment's thread only.
struct CadObjects {
    std::unique_ptr<NanoCadApplication> application;
    std::unique_ptr<NanoCadDocument> document;
};

class CadApartment {
public:
    // `boundMs`: how long the calls may take together.
    explicit CadApartment(unsigned boundMs);
    // Releases the objects on the thread, which then ends; never waits for it.
    ~CadApartment();
    CadApartment(const CadApartment&) = delete;
    CadApartment& operator=(const CadApartment&) = delete;

    // The call's result, or none when it did not end within the bound; from then on every call
    // fails at once. The call must capture nothing of its caller by reference: it may outlive it.
    template <typename T> std::optional<T> call(std::function<T(CadObjects&)> f) {
        auto result = std::make_shared<std::optional<T>>();
        if (!run([result, f = std::move(f)](CadObjects& o) { *result = f(o); })) return {};
        return *result;
    }

private:
    struct State;
    bool run(std::function<void(CadObjects&)> job);
    static void serve(const std::shared_ptr<State>& s); // the thread
    std::shared_ptr<State> state_;
};

} // namespace quillon::com
