// The thread the program talks to the CAD on. Its jobs run there one after another, so that a CAD
// that is slow to answer never holds up the caller's event loop, and the CAD's objects are made,
// used and released on the one thread, as a backend whose objects belong to their thread needs.
#pragma once

#include "cad/cad_connection.h"

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

namespace quillon {

class CadThread {
public:
    CadThread();
    // Lets the jobs already given end (every call to the CAD is bounded), releases the CAD and
    // stops the thread. Results not yet delivered are dropped.
    ~CadThread();
    CadThread(const CadThread&) = delete;
    CadThread& operator=(const CadThread&) = delete;

    // Runs the job on the thread, then `done` with its result on the thread that made this object.
    template <typename T> void run(std::function<T(CadSession&)> job, std::function<void(T)> done) {
        post([this, job = std::move(job), done = std::move(done)] {
            T result = job(session_);
            QMetaObject::invokeMethod(&replies_, [done, result] { done(result); });
        });
    }

private:
    void post(std::function<void()> job);

    QObject replies_; // on the caller's thread: results are delivered through it
    QThread thread_;
    QObject worker_;     // on the thread: jobs are run through it
    CadSession session_; // touched by the thread's jobs only
};

} // namespace quillon
