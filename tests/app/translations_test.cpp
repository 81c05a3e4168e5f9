#include "app/desktop.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace quillon;

namespace {

void RemoveTranslators(QApplication& app) {
    for (QTranslator* t : app.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// The toolkit's dialogs speak the program's language: Japanese, or the user's own where the
// system is set to a language other than English.
TEST(ToolkitTranslations, DialogsSpeakJapaneseOrTheUsersLanguage) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                       QStringLiteral("/qtbase_ja.qm")))
        GTEST_SKIP() << "the toolkit's translations are not installed (qt6-translations-l10n)";
    auto& app = *qApp;
    const struct {
        QLocale locale;
        const char* cancel;
    } cases[] = {
        {QLocale::c(), "キャンセル"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "キャンセル"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "キャンセル"},
        {QLocale(QLocale::German, QLocale::Germany), "Abbrechen"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(InstallToolkitTranslations(app, c.locale)) << c.locale.name().toStdString();
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                  QString::fromUtf8(c.cancel))
            << c.locale.name().toStdString();
        EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"),
                  QStringLiteral("Look in:"));
        RemoveTranslators(app);
    }
}

} // namespace
