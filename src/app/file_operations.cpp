#include "app/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillon {

namespace {

const QString kError = QStringLiteral("エラー");
const QString kCaption = QStringLiteral("Tessera.exe");
const QString kGone = QStringLiteral("ファイルが見つかりません．");
const QString kNoPermission = QStringLiteral("アクセス権がありません．");

// What keeps the file from being moved or deleted, as the file system shows it now; empty when
// nothing does.
QString Obstacle(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists()) return kGone;
    if (!QFileInfo(info.absolutePath()).isWritable() || !info.isWritable()) return kNoPermission;
    QFile probe(file); // another program holding it open keeps it (Windows)
    if (!probe.open(QIODevice::ReadWrite)) return QStringLiteral("ほかのプログラムが使用中です．");
    return {};
}

// Why a file could not be moved or deleted, in the program's words (never the system's own
// text, which may be in another language).
QString FailureReason(const QString& file) {
    const QString obstacle = Obstacle(file);
    return obstacle.isEmpty() ? QStringLiteral("予期しないエラーです．") : obstacle;
}

QString MoveFailureReason(const QString& from, const QString& to) {
    if (!QFileInfo::exists(from)) return kGone;
    const QFileInfo folder(QFileInfo(to).absolutePath());
    if (!folder.isDir()) return QStringLiteral("移動先のフォルダが見つかりません．");
    if (!folder.isWritable()) return kNoPermission;
    return FailureReason(from);
}

// Moves the file to the desktop's trash; false when there is none for it.
bool MoveToTrash(const QString& path) {
    // The home trash is made in the user's data folder, which a new account may not have yet.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString trashed;
    if (!QFile::moveToTrash(path, &trashed)) return false;
    if (trashed.isEmpty() || QFileInfo(trashed).isAbsolute()) return true;
    // Finding no trash, Qt moves the file below the working folder: it goes back.
    QFile::rename(trashed, path);
    return false;
}

} // namespace

QString NewFolderPath(const QString& current, const QString& name, bool inside) {
    const QString sep = QDir::separator();
    if (inside) return current.endsWith(sep) ? current + name : current + sep + name;
    const qsizetype last = current.lastIndexOf(sep);
    return last < 0 ? QString() : current.left(last + 1) + name;
}

bool CreateFolder(const QString& path, UserPrompts& prompts) {
    const QFileInfo info(path);
    if (!info.fileName().isEmpty() && QDir().mkpath(path) && QFileInfo(path).isDir()) return true;
    prompts.message(kError, path + u'\n' + QStringLiteral("フォルダを作成できません．"),
                    UserPrompts::Icon::Error);
    return false;
}

QString MoveDestination(const QString& from, const QString& chosen) {
    if (!QFileInfo(chosen).suffix().isEmpty()) return chosen;
    const QString suffix = QFileInfo(from).suffix();
    return suffix.isEmpty() ? chosen : chosen + u'.' + suffix;
}

FileOutcome MoveDrawing(const QString& from, const QString& to, UserPrompts& prompts) {
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return FileOutcome::Done;
    const bool replacing = QFileInfo::exists(to);
    if (replacing && !prompts.question(
                         kCaption, to + u'\n' + QStringLiteral("は既にあります．置き換えますか？")))
        return FileOutcome::Declined;
    QFile file(from);
    // A rename where it can be, else a copy and a delete (another volume); a replaced file is
    // removed only once the new one is in place.
    const QString parked = replacing ? to + QStringLiteral(".quillon-replaced") : QString();
    if (replacing && !QFile::rename(to, parked)) {
        prompts.message(kError, to + u'\n' + QStringLiteral("置き換えできません．"),
                        UserPrompts::Icon::Error);
        return FileOutcome::Failed;
    }
    if (!file.rename(to)) {
        if (replacing) QFile::rename(parked, to);
        prompts.message(kError,
                        from + QStringLiteral(" → ") + to + u'\n' +
                            QStringLiteral("移動できません：") + MoveFailureReason(from, to),
                        UserPrompts::Icon::Error);
        return FileOutcome::Failed;
    }
    if (replacing) QFile::remove(parked);
    return FileOutcome::Done;
}

FileOutcome DeleteDrawing(const QString& path, UserPrompts& prompts) {
    const QString name = QFileInfo(path).fileName() + u'\n';
    if (!prompts.question(kCaption, name + QStringLiteral("このファイルをごみ箱に移動しますか？")))
        return FileOutcome::Declined;
    if (MoveToTrash(path)) return FileOutcome::Done;
    QString reason = Obstacle(path);
    if (reason.isEmpty()) {
        // Nothing keeps the file: there is no trash for it here. Deleted for good only when the
        // user says so.
        if (!prompts.question(kCaption, name + QStringLiteral("ごみ箱に移動できません．\n"
                                                              "このファイルを完全に削除しますか？"
                                                              "（元に戻せません）")))
            return FileOutcome::Declined;
        if (QFile::remove(path)) return FileOutcome::Done;
        reason = FailureReason(path);
    }
    prompts.message(kError, path + u'\n' + QStringLiteral("削除できません：") + reason,
                    UserPrompts::Icon::Error);
    return FileOutcome::Failed;
}

} // namespace quillon
