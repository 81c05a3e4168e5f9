// cad-standin: a stand-in for the CAD, for trying insertion on Linux and for the tests. A window
// titled like the CAD's, whose command-line pane shows every command received, serving the CAD's
// automation calls over a local socket named after the title (see src/cad/cad_socket.h).
//   cad-standin [--title TEXT] [--disabled] [--minimized] [--no-document] [--headless]
//               [--log FILE] [--answers FILE] [--unresponsive] [--refuse-front]
// --log appends every SendCommand text as one JSON string per line; --answers appends the
// answers its command line reads from them, one JSON string each; --unresponsive accepts
// connections but never answers; --refuse-front fails every call to bring it to the front, as
// the system at times refuses a program the foreground. One line on stderr says when it serves.
#include <CLI/CLI.hpp>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <iostream>

namespace {

struct Options {
    std::string title = "nanoCAD 5", log, answers;
    bool disabled = false, minimized = false, noDocument = false, headless = false;
    bool unresponsive = false, refuseFront = false;
};

// The text as a JSON string: the one element of a compact JSON array, without its brackets.
QByteArray JsonString(const QString& text) {
    return QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

// The answers a CAD's command line reads from typed text: Enter ends one, and so does a blank,
// unless the answer starts with a double quote, which runs to the next one (the quotes are not
// part of the answer). Text left on the line at the end counts as one more answer.
QStringList Answers(const QString& text) {
    QStringList answers;
    QString answer;
    bool typed = false, quoted = false;
    for (const QChar c : text) {
        if (c == u'"' && (quoted || !typed)) {
            quoted = !quoted;
        } else if (c == u'\r' || (c == u' ' && !quoted)) {
            answers << answer;
            answer.clear();
            quoted = false;
            typed = false;
            continue;
        } else {
            answer += c;
        }
        typed = true;
    }
    if (typed) answers << answer;
    return answers;
}

void Append(const std::string& file, const QStringList& texts) {
    if (file.empty()) return;
    QFile f(QString::fromStdString(file));
    if (!f.open(QIODevice::Append)) return;
    for (const QString& text : texts) f.write(JsonString(text) + '\n');
}

class StandIn : public QObject {
public:
    explicit StandIn(const Options& o) : o_(o) {
        window_.setWindowTitle(QString::fromStdString(o.title));
        pane_ = new QPlainTextEdit(&window_);
        pane_->setReadOnly(true);
        window_.setCentralWidget(pane_);
        window_.resize(640, 360);
        window_.setEnabled(!o.disabled);
        state_ = o.minimized ? 2 : 1;
        if (!o.headless) o.minimized ? window_.showMinimized() : window_.show();
        QObject::connect(&server_, &QLocalServer::newConnection, this, [this] { accept(); });
    }

    bool listen() {
        const QString name = QString::fromStdString(o_.title);
        QLocalServer::removeServer(name);
        return server_.listen(name);
    }

private:
    void accept() {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            QObject::connect(s, &QLocalSocket::readyRead, this, [this, s] { serve(s); });
        }
    }

    void serve(QLocalSocket* s) {
        while (s->canReadLine()) {
            const QJsonObject request = QJsonDocument::fromJson(s->readLine()).object();
            if (o_.unresponsive) continue;
            s->write(QJsonDocument(answer(request)).toJson(QJsonDocument::Compact) + '\n');
        }
    }

    QJsonObject answer(const QJsonObject& r) {
        const QString call = r.value("call").toString();
        QJsonObject a{{"ok", true}};
        if (call == "find") {
            a.insert("enabled", window_.isEnabled());
        } else if (call == "getWindowState") {
            a.insert("value", state_);
        } else if (call == "setWindowState") {
            state_ = r.value("value").toInt();
            if (!o_.headless && state_ == 3) window_.showMaximized();
            pane_->appendPlainText(QStringLiteral("[window state %1]").arg(state_));
        } else if (call == "getWindowHandle") {
            a.insert("value", qint64(window_.winId()));
        } else if (call == "bringToFront" && o_.refuseFront) {
            a.insert("ok", false);
        } else if (call == "bringToFront") {
            if (!o_.headless) {
                window_.raise();
                window_.activateWindow();
            }
            pane_->appendPlainText(QStringLiteral("[brought to front]"));
        } else if (call == "getActiveDocument") {
            a.insert("ok", !o_.noDocument);
        } else if (call == "sendCommand" && !o_.noDocument) {
            const QString text = r.value("text").toString();
            pane_->appendPlainText(QStringLiteral("コマンド: ") +
                                   QString(text).replace(u'\r', u'⏎'));
            Append(o_.log, {text});
            Append(o_.answers, Answers(text));
        } else {
            a.insert("ok", false);
        }
        return a;
    }

    Options o_;
    QMainWindow window_;
    QPlainTextEdit* pane_;
    QLocalServer server_;
    int state_ = 1;
};

} // namespace

int main(int argc, char** argv) {
    Options o;
    CLI::App cli{"A stand-in for the CAD: serves its automation calls and logs the commands"};
    cli.add_option("--title", o.title, "the window's title, also the server's name");
    cli.add_flag("--disabled", o.disabled, "the window takes no input");
    cli.add_flag("--minimized", o.minimized, "start minimised");
    cli.add_flag("--no-document", o.noDocument, "no drawing is open");
    cli.add_flag("--headless", o.headless, "serve without showing a window");
    cli.add_option("--log", o.log, "append every command received to this file");
    cli.add_option("--answers", o.answers,
                   "append every answer its command line reads to this file");
    cli.add_flag("--unresponsive", o.unresponsive, "never answer");
    cli.add_flag("--refuse-front", o.refuseFront, "fail every call to bring it to the front");
    CLI11_PARSE(cli, argc, argv);
    if (o.headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    StandIn standIn(o);
    if (!standIn.listen()) {
        std::cerr << "cad-standin: cannot serve as " << o.title << '\n';
        return 1;
    }
    std::cerr << "cad-standin: serving as " << o.title << std::endl;
    return app.exec();
}
