#include "support/program_folder.h"

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

} // namespace
