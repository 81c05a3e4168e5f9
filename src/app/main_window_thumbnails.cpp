// The file list as a grid of thumbnails, drawn in the background and cached.
#include "app/main_window.h"

#include "app/device_pixels.h"
#include "app/file_list_box.h"
#include "thumbs/cannot_draw.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace quillon {

void TForm2::ThumbnailView1Click() {
    settings_.thumbnails = ThumbnailView1->isChecked();
    FileListBox1->setThumbnails(settings_.thumbnails, kThumbnailSize);
}

void TForm2::ClearThumbnails1Click() {
    thumbnailCache_->clear();
    requestThumbnails();
}

void TForm2::requestThumbnails() {
    if (FileListBox1->thumbnails())
        thumbnailPool_->request(FileListBox1->filesInViewFirst(),
                                DevicePixels(kThumbnailSize, FileListBox1->devicePixelRatioF()));
    else
        thumbnailPool_->cancel();
}

void TForm2::showThumbnail(const QString& file, const QImage& picture) {
    const QFileInfo info(file);
    if (info.absolutePath() == QDir(FileListBox1->directory()).absolutePath())
        FileListBox1->setThumbnail(info.fileName(), picture, CannotDrawReason(picture));
}

} // namespace quillon
