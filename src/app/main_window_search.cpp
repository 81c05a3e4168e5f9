// The library search, opened from the folder tree's menu or with Ctrl+F: it looks from the
// current folder down and through every registered folder, and a match it gives opens its folder
// and selects the drawing, as a drawing dropped on the window does.
#include "app/directory_outline.h"
#include "app/main_window.h"
#include "app/registered_folders.h"
#include "app/search_window.h"
#include "thumbs/thumbnail_cache.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace quillon {

void TForm2::addSearch() {
    PopupMenu2->addSeparator();
    SearchLibrary1 = PopupMenu2->addAction(QStringLiteral("■ライブラリ内を検索"));
    SearchLibrary1->setObjectName(QStringLiteral("SearchLibrary1"));
    SearchLibrary1->setShortcut(QKeySequence::Find);
    SearchLibrary1->setShortcutContext(Qt::WindowShortcut);
    addAction(SearchLibrary1); // the shortcut works wherever the focus is in the window
    connect(SearchLibrary1, &QAction::triggered, this, &TForm2::SearchLibrary1Click);
}

void TForm2::SearchLibrary1Click() {
    if (!searchWindow_) {
        const auto roots = [this] {
            QStringList folders{DirectoryOutline1->directory()};
            for (const QString& entry : registeredFolders()) {
                QString title, folder;
                if (SplitRegisteredFolder(entry, title, folder)) folders.append(folder);
            }
            return folders;
        };
        const auto open = [this](const QString& path) {
            HandleDroppedFiles({QDir::toNativeSeparators(path)});
        };
        searchWindow_ =
            new SearchWindow(this, roots, open, TextIndexBeside(ThumbnailCache::DefaultFolder()));
    }
    searchWindow_->show();
    searchWindow_->raise();
    searchWindow_->activateWindow();
}

} // namespace quillon
