// The library search window in the real main window, through its widgets.
#include "app/directory_outline.h"
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/search_window.h"
#include "support/program_folder.h"
#include "support/wait.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace quillon;
using quillon::test::WaitUntil;

namespace {

struct Searching : quillon::test::ProgramFolder {
    std::unique_ptr<TForm2> w;
    SearchWindow* s = nullptr;

    Searching() {
        tmp.write("lib/bolts/A.DWG", "a");
        tmp.write("lib/bolts/deep/m8_bolt.dxf", "0\nEOF\n");
        tmp.write("other/x_bolt.dwg", "x");
        tmp.write("prog/DirectoryList.txt", "other | " + tmp.file("other").toUtf8() + "\r\n");
        w = openAt(tmp.file("lib/bolts"));
        w->show();
        w->SearchLibrary1->trigger();
        s = w->searchWindow();
    }
    template <class T> T* get(const char* name) { return s->findChild<T*>(name); }
    // Types into the search line and waits for the search to end; the matches' paths.
    QStringList type(const QString& keys) {
        QTest::keyClicks(get<QLineEdit>("SearchLine"), keys);
        if (!WaitUntil(
                [&] { return get<QLabel>("SearchProgress")->text().contains("見つかりました"); }))
            return {"the search did not end"};
        QStringList paths;
        auto* list = get<QListWidget>("SearchResults");
        for (int i = 0; i < list->count(); ++i)
            paths << list->item(i)->data(Qt::UserRole).toString();
        return paths;
    }
};

} // namespace

TEST(SearchWindow, FindsUnderTheFolderAndTheRegisteredOnesAndOpensAMatch) {
    Searching t;
    ASSERT_TRUE(t.s && t.s->isVisible());
    const QString m8 = t.tmp.file("lib/bolts/deep/m8_bolt.dxf"), x = t.tmp.file("other/x_bolt.dwg");
    EXPECT_EQ(t.type("bolt"), (QStringList{m8, x}));
    EXPECT_EQ(t.type(" dwg"), QStringList{x}); // typing again searches again
    auto* list = t.get<QListWidget>("SearchResults");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(t.w->DirectoryOutline1->directory(), QDir::toNativeSeparators(t.tmp.file("other")));
    EXPECT_EQ(t.w->FileListBox1->fileName(), QDir::toNativeSeparators(x));
    QTest::keyClick(t.s, Qt::Key_Escape);
    EXPECT_FALSE(t.s->isVisible());
}
