#include "cad/com_apartment_win.h"

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace quillon::com {

// Shared by the caller and the thread: whichever lets go last frees it.
struct CadApartment::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void(CadObjects&)>> jobs;
    unsigned long long given = 0, done = 0;
    bool ending = false, givenUp = false;
    std::chrono::steady_clock::duration left;
};

CadApartment::CadApartment(unsigned boundMs) : state_(std::make_shared<State>()) {
    state_->left = std::chrono::milliseconds(boundMs);
    std::thread([s = state_] { serve(s); }).detach();
}

CadApartment::~CadApartment() {
    const std::lock_guard lock(state_->mutex);
    state_->ending = true;
    state_->changed.notify_all();
}

bool CadApartment::run(std::function<void(CadObjects&)> job) {
    State& s = *state_;
    std::unique_lock lock(s.mutex);
    if (s.givenUp) return false;
    s.jobs.push_back(std::move(job));
    const unsigned long long ticket = ++s.given;
    s.changed.notify_all();
    const auto start = std::chrono::steady_clock::now();
    const bool ended = s.changed.wait_for(lock, s.left, [&] { return s.done >= ticket; });
    s.left -= std::min(s.left, std::chrono::steady_clock::now() - start);
    if (!ended) s.givenUp = true;
    return ended;
}

void CadApartment::serve(const std::shared_ptr<State>& s) {
    const bool initialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CadObjects objects;
    std::unique_lock lock(s->mutex);
    for (;;) {
        s->changed.wait(lock, [&] { return !s->jobs.empty() || s->ending; });
        if (s->jobs.empty()) break;
        auto job = std::move(s->jobs.front());
        s->jobs.pop_front();
        lock.unlock();
        if (initialised) job(objects); // without an apartment no call is made: each fails
        job = nullptr;
        lock.lock();
        ++s->done;
        s->changed.notify_all();
    }
    lock.unlock();
    objects = {};
    if (initialised) CoUninitialize();
}

} // namespace quillon::com
