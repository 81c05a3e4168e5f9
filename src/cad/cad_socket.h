// The CAD's automation over a local socket named after its window's title: one JSON object per
// line each way. A request names its call ("find", "getWindowState", "setWindowState",
// "getWindowHandle", "bringToFront", "getActiveDocument", "sendCommand") and its arguments
// ("value", "handle", "text"); an answer says "ok" and carries "value" or "enabled". The
// stand-in CAD serves it; every call waits a bounded time for its answer.
#pragma once

#include <QJsonObject>
#include <QString>

namespace quillon {

inline constexpr int kCadAnswerMs = 3000;

// Sends one request and waits for its answer; an empty object when none came in time.
// `connected` tells whether the CAD's server took the connection.
QJsonObject AskCad(const QString& title, const QJsonObject& request, int timeoutMs = kCadAnswerMs,
                   bool* connected = nullptr);

} // namespace quillon
