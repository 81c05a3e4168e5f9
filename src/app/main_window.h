// The main window: browse drives, folders and drawings, preview the selected one, and hold the
// settings between runs. Its handlers live by concern: main_window.cpp (start, close, settings,
// registered folders), main_window.ui and main_window_layout.cpp (the controls and menus, and
// their connections), main_window_browse.cpp, main_window_preview.cpp, main_window_convert.cpp
// (the external converter), main_window_insert.cpp (the CAD),
// main_window_gestures.cpp (zoom, pan, measure on the preview), main_window_folders.cpp
// (registered folders and file operations), main_window_thumbnails.cpp (the grid of pictures).
#pragma once

#include "app/app_paths.h"
#include "app/settings.h"
#include "app/user_prompts.h"
#include "cad/cad_application.h"
#include "cad/cad_thread.h"
#include "convert/converter.h"
#include "preview/interaction.h"
#include "thumbs/thumbnail_pool.h"
#include "ui_main_window.h"

#include <memory>

class QTimer;

namespace quillon {

class BackgroundConversion;
class PreviewPanel;
class SearchWindow;
class TForm3;

inline constexpr QSize kThumbnailSize{128, 96};

inline const QString kAppTitle = QStringLiteral("Quillon for nanoCAD 5 Ver.1.21 (2024.05.30)");

// The controls and menus, by their designer names, come from main_window.ui (Ui_TForm2).
class TForm2 : public QMainWindow, public Ui_TForm2 {
    Q_OBJECT
public:
    TForm2(const AppPaths& paths, UserPrompts& prompts, QWidget* parent = nullptr);
    ~TForm2() override;

    // Handlers, named after their control and event.
    void FormCreate();
    void FormClose();
    void FormDestroy();
    void DriveComboBox1Change();
    void DirectoryOutline1Change();
    void FileListBox1Click();
    void FileListBox1DblClick();
    void Edit48Change();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void Image2DblClick();
    void Button3Click();
    void Button18Click(QObject* sender); // Button18 inserts, Button19 explode-inserts
    // True while an insertion runs; the insert handler ignores its clicks meanwhile.
    bool inserting() const { return inserting_; }
    // Wheel steps at a screen position; true when the preview took them.
    bool FormMouseWheelDown(QPointF global);
    bool FormMouseWheelUp(QPointF global);
    void Image2MouseDown(QPoint at, Qt::MouseButton button, bool shift);
    void Image2MouseMove(QPoint at, bool shift);
    void Image2MouseUp(QPoint at, Qt::MouseButton button, bool shift);
    const InteractionState& interaction() const { return interaction_; }
    ThumbnailPool& thumbnailPool() { return *thumbnailPool_; }
    void N26Click();
    void HandleDroppedFiles(const QStringList& files);
    void N11Click();
    void ComboBox2Change();
    void N4Click();
    void N5Click();
    void N6Click();
    void Form3Button1Click();
    void N13Click();
    void N17Click();
    void N2Click();
    void N8Click();
    void ThumbnailView1Click();
    void ClearThumbnails1Click();
    void Panel4Resize();

    // The converter's path: kept as it is, shown literally by N25.
    void setConverterPath(const QString& path);

    // Opens the folder tree down to a folder and selects it.
    void ExpandTreeToPath(const QString& path);
    // Makes the folder current (its nearest existing parent when it is gone) and shows it in the
    // tree.
    void openFolder(const QString& folder);

    QString TargetProgId;
    QString CadTitle =
        QString::fromUtf16(kCadTitle); // the title of the CAD window insertions go to

    TForm3* Form3;           // a child of the window
    QAction* SearchLibrary1; // in the tree's menu, and Ctrl+F
    SearchWindow* searchWindow() const { return searchWindow_; }

    PreviewPanel& preview() { return *preview_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void finishForm();
    void connectControls();
    void readSettings();
    void placeWindow();
    void watchSettings();
    void settingsChanged();
    void writeSettings();
    bool saved(const QString& file, bool ok); // tells the user once when a save failed
    void loadRegisteredFolders();
    void saveRegisteredFolders();
    QStringList registeredFolders() const;
    void setRegisteredFolders(const QStringList& entries, const QString& chosen);
    void clearPreview();
    void clearSelection();
    void shownFolderChanged();
    ConverterCall converterCall();
    QString fileToDrag(const QString& file);
    void cancelDrag(const QString& file, const QString& reason);
    bool gestureGate() const;
    bool wheel(QPointF global, double k);
    void applyReaction(const Reaction& r, bool* guard);
    void requestThumbnails();
    void showThumbnail(const QString& file, const QImage& picture);
    void addSearch();
    void SearchLibrary1Click();

    AppPaths paths_;
    UserPrompts& prompts_;
    std::unique_ptr<PreviewPanel> preview_;
    InteractionState interaction_;
    std::unique_ptr<ThumbnailCache> thumbnailCache_;
    std::unique_ptr<ThumbnailPool> thumbnailPool_;
    Settings settings_; // as read at start; what the window shows is put back when it changes
    Settings written_;  // what the settings file holds
    bool settingsRead_ = false;    // changes count once the window shows what was read
    QTimer* saveTimer_ = nullptr;  // a save a moment after the last change
    bool saveFailureTold_ = false; // one message per run
    int listEncoding_ = 0;
    bool panesSized_ = false;
    bool closing_ = false;    // waits for external programs end when the window closes
    bool converting_ = false; // "ODA" waits for the converter
    std::unique_ptr<BackgroundConversion> dragConversion_; // a DXF dragged out, made a DWG
    bool inserting_ = false;
    std::unique_ptr<CadThread> cadThread_; // made at the first insertion; stopped first at close
    SearchWindow* searchWindow_ = nullptr; // made when first asked for
};

} // namespace quillon
