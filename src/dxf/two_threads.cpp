#include "dxf/two_threads.h"

#include <exception>
#include <thread>

namespace quillon {

bool TwoThreads::worth(size_t work) const {
    static const unsigned cores = std::thread::hardware_concurrency();
    return work >= from && cores > 1;
}

void RunInTwo(const std::function<void(int)>& part) {
    std::exception_ptr failures[2];
    const auto run = [&](int k) {
        try {
            part(k);
        } catch (...) {
            failures[k] = std::current_exception();
        }
    };
    std::thread second(run, 1);
    run(0);
    second.join();
    for (const std::exception_ptr& f : failures)
        if (f) std::rethrow_exception(f);
}

} // namespace quillon
