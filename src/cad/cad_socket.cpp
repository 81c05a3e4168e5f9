#include "cad/cad_socket.h"

#include "cad/cad_application.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QLocalSocket>

namespace quillon {

QJsonObject AskCad(const QString& title, const QJsonObject& request, int timeoutMs,
                   bool* connected) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(title);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) return {};
    if (connected) *connected = true;
    socket.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) return {};
    QByteArray answer;
    while (!answer.contains('\n')) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return {};
        answer += socket.readAll();
        if (answer.size() > 1 << 20) return {}; // no answer is this long
    }
    const QJsonObject reply = QJsonDocument::fromJson(answer.left(answer.indexOf('\n'))).object();
    return reply.value(QStringLiteral("ok")).toBool() ? reply : QJsonObject{};
}

namespace {

QString Text(std::u16string_view s) {
    return QString::fromUtf16(s.data(), qsizetype(s.size()));
}

QJsonObject Call(const char* name) {
    return {{QStringLiteral("call"), QString::fromLatin1(name)}};
}

class SocketDocument : public CadDocument {
public:
    explicit SocketDocument(QString title) : title_(std::move(title)) {}
    bool SendCommand(std::u16string_view text) override {
        QJsonObject r = Call("sendCommand");
        r.insert(QStringLiteral("text"), Text(text));
        return !AskCad(title_, r).isEmpty();
    }

private:
    QString title_;
};

class SocketApplication : public CadApplication {
public:
    explicit SocketApplication(QString title) : title_(std::move(title)) {}
    bool windowState(int& state) override {
        const QJsonObject a = AskCad(title_, Call("getWindowState"));
        state = a.value(QStringLiteral("value")).toInt();
        return !a.isEmpty();
    }
    bool setWindowState(int state) override {
        QJsonObject r = Call("setWindowState");
        r.insert(QStringLiteral("value"), state);
        return !AskCad(title_, r).isEmpty();
    }
    bool mainWindow(std::uintptr_t& handle) override {
        const QJsonObject a = AskCad(title_, Call("getWindowHandle"));
        handle = std::uintptr_t(a.value(QStringLiteral("value")).toInteger());
        return !a.isEmpty();
    }
    bool bringToFront(std::uintptr_t handle) override {
        QJsonObject r = Call("bringToFront");
        r.insert(QStringLiteral("handle"), qint64(handle));
        return !AskCad(title_, r).isEmpty();
    }
    std::unique_ptr<CadDocument> activeDocument() override {
        if (AskCad(title_, Call("getActiveDocument")).isEmpty()) return nullptr;
        return std::make_unique<SocketDocument>(title_);
    }

private:
    QString title_;
};

} // namespace

CadWindow FindCadWindow(std::u16string_view title) {
    bool connected = false;
    const QJsonObject a = AskCad(Text(title), Call("find"), kCadAnswerMs, &connected);
    return {connected, a.value(QStringLiteral("enabled")).toBool(), !a.isEmpty()};
}

std::unique_ptr<CadApplication> CreateCadApplication(std::u16string_view title) {
    return std::make_unique<SocketApplication>(Text(title));
}

} // namespace quillon
