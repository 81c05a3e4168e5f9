// Waiting for what the program does a little later (a change on disk, a worker's result).
#pragma once

#include <QTest>
#include <functional>

namespace quillon::test {

// Runs events until the condition holds, for at most about ten seconds; true when it holds.
inline bool WaitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) QTest::qWait(10);
    return condition();
}

} // namespace quillon::test
