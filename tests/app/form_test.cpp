#include "support/program_folder.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using namespace quillon;
using namespace quillon::test;

namespace {

// Tab moves through the window's controls in their design order: the top band, the folder pane,
// the file list, then the preview pane from its buttons down to the measure box.
TEST(Form, TabbingFollowsTheDesignOrder) {
    ProgramFolder program;
    const auto w = program.openAt(program.tmp.file("lib"));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QStringList order;
    for (QWidget* f = w->nextInFocusChain(); f != w.get() && order.size() < 100;
         f = f->nextInFocusChain())
        if (f->isVisibleTo(w.get()) && (f->focusPolicy() & Qt::TabFocus)) order << f->objectName();
    EXPECT_EQ(order.join(u' ').toStdString(),
              "ComboBox2 Button28 Edit2 DriveComboBox1 DirectoryOutline1 Edit48 "
              "FileListBox1 Button18 Button19 Button1 CheckBox3 CheckBox1 "
              "CheckBox2 Button3 Edit1 Edit3");
}

// The folder tree, the registered folders and the file list open their own menus.
TEST(Form, RightClicksOpenTheirMenus) {
    ProgramFolder program;
    const auto w = program.openAt(program.tmp.file("lib"));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const struct {
        QWidget* widget;
        QMenu* menu;
    } cases[] = {{w->DirectoryOutline1, w->PopupMenu2},
                 {w->ComboBox2, w->PopupMenu3},
                 {w->FileListBox1, w->PopupMenu1}};
    for (const auto& c : cases) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                c.widget->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(c.widget, &event);
        EXPECT_TRUE(c.menu->isVisible()) << c.widget->objectName().toStdString();
        c.menu->hide();
    }
}

} // namespace
