// The stand-in CAD run as a real process for one test, under a title of its own.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace quillon::test {

class StandInCad {
public:
    explicit StandInCad(const QStringList& options = {}) {
        static int serial = 0;
        title = QStringLiteral("nanoCAD 5 test %1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(++serial);
        log_ = dir_.filePath(QStringLiteral("commands.txt"));
        answers_ = dir_.filePath(QStringLiteral("answers.txt"));
        process_.setReadChannel(QProcess::StandardError);
        process_.start(
            QStringLiteral(QUILLON_CAD_STANDIN),
            QStringList{"--headless", "--title", title, "--log", log_, "--answers", answers_} +
                options);
        // Serving once it says so on stderr.
        QByteArray said;
        while (!said.contains("serving") && process_.waitForReadyRead(10000))
            said += process_.readAllStandardError();
    }
    ~StandInCad() {
        process_.kill();
        process_.waitForFinished(5000);
    }
    // Every command received, in order.
    QStringList commands() const { return read(log_); }
    // Every answer its command line read from them, in order.
    QStringList answers() const { return read(answers_); }

    QString title;

private:
    static QStringList read(const QString& file) {
        QFile f(file);
        QStringList out;
        if (!f.open(QIODevice::ReadOnly)) return out;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.isEmpty())
                out << QJsonDocument::fromJson("[" + line + "]").array().first().toString();
        return out;
    }

    QTemporaryDir dir_;
    QString log_, answers_;
    QProcess process_;
};

} // namespace quillon::test
