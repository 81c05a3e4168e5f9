#include "cad/cad_thread.h"

namespace quillon {

CadThread::CadThread() {
    thread_.setObjectName(QStringLiteral("cad"));
    worker_.moveToThread(&thread_);
    thread_.start();
}

CadThread::~CadThread() {
    // The last job: the CAD is let go of on its own thread, after every job before it.
    post([this] {
        session_ = {};
        thread_.quit();
    });
    thread_.wait();
}

void CadThread::post(std::function<void()> job) {
    QMetaObject::invokeMethod(&worker_, std::move(job));
}

} // namespace quillon
