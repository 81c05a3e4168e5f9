#include "app/file_operations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillon {

namespace {

const QString kError = QStringLiteral("エラー");

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
    if (replacing &&
        !prompts.question(QStringLiteral("Tessera.exe"),
                          to + u'\n' + QStringLiteral("は既にあります．置き換えますか？")))
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
                            QStringLiteral("移動できません：") + file.errorString(),
                        UserPrompts::Icon::Error);
        return FileOutcome::Failed;
    }
    if (replacing) QFile::remove(parked);
    return FileOutcome::Done;
}

FileOutcome DeleteDrawing(const QString& path, UserPrompts& prompts) {
    if (!prompts.question(QStringLiteral("Tessera.exe"),
                          QStringLiteral("このファイルを削除しますか？")))
        return FileOutcome::Declined;
    QFile file(path);
    if (file.remove()) return FileOutcome::Done;
    prompts.message(kError, path + u'\n' + QStringLiteral("削除できません：") + file.errorString(),
                    UserPrompts::Icon::Error);
    return FileOutcome::Failed;
}

} // namespace quillon
