#include "app/desktop.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QStyleFactory>
#include <QTranslator>

namespace quillon {

bool ApplyDarkStyle(QApplication& app) {
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!fusion) return false;
    app.setStyle(fusion);
    QPalette p;
    const QColor window(43, 43, 43), base(25, 25, 25), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(51, 51, 51));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Highlight, QColor(0, 120, 215));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    // Disabled texts grey, without the light etch the style draws under them (white by default,
    // which would make them look brighter than enabled ones).
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::Light, Qt::transparent);
    app.setPalette(p);
    return true;
}

bool InstallToolkitTranslations(QApplication& app, const QLocale& locale) {
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QCoreApplication::applicationDirPath() +
                                  QStringLiteral("/translations")};
    // English is the toolkit's untranslated text: a program whose every caption is Japanese
    // shows Japanese dialogs there, and a translation of the user's own language elsewhere.
    QList<QLocale> wanted{QLocale(QLocale::Japanese, QLocale::Japan)};
    if (locale.language() != QLocale::English && locale.language() != QLocale::C)
        wanted.prepend(locale);
    for (const QLocale& l : wanted) {
        for (const QString& folder : folders) {
            auto* translator = new QTranslator(&app);
            if (translator->load(l, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
                QCoreApplication::installTranslator(translator))
                return true;
            delete translator;
        }
    }
    return false;
}

void SetUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    ApplyDarkStyle(app); // without it the default look stays
    InstallToolkitTranslations(app, QLocale::system());
}

QString LiteralCaption(const QString& text) {
    QString caption = text;
    return caption.replace(u'&', QStringLiteral("&&"));
}

void DeleteScratchDrawings(const QString& folder) {
    const QDir dir(folder);
    for (const char* pattern : {"*.dxf", "*.dwg"}) {
        const QFileInfoList entries = dir.entryInfoList({QString::fromLatin1(pattern)},
                                                        QDir::AllEntries | QDir::Hidden |
                                                            QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo& e : entries) {
            const bool readOnly = !(e.permissions() & QFile::WriteOwner);
            if (!e.isFile() || e.isSymLink() || readOnly) continue;
            QFile::remove(e.absoluteFilePath());
        }
    }
}

} // namespace quillon
