#include "app/search_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <mutex>
#include <thread>

namespace quillon {

// One search on its thread; what it found waits here until the window takes it.
struct SearchWindow::Run {
    std::atomic_bool cancel{false}, done{false};
    std::mutex lock;
    std::vector<SearchHit> found;
    SearchCounts counts;
    std::thread thread;

    Run(SearchRequest request, std::shared_ptr<TextIndex> index)
        : thread([this, request = std::move(request), index = std::move(index)]() mutable {
              request.index = index.get();
              int matches = 0;
              const SearchCounts last = SearchLibrary(
                  request, cancel,
                  [&](const SearchHit& hit) {
                      std::lock_guard hold(lock);
                      found.push_back(hit);
                      if (++matches >= kMostMatches) cancel = true;
                  },
                  [&](const SearchCounts& c) {
                      std::lock_guard hold(lock);
                      counts = c;
                  });
              std::lock_guard hold(lock);
              counts = last;
              done = true;
          }) {}
    ~Run() {
        cancel = true;
        thread.join();
    }
};

SearchWindow::SearchWindow(QWidget* parent, std::function<QStringList()> roots,
                           std::function<void(const QString&)> open, const QString& indexFile)
    : QWidget(parent, Qt::Tool), roots_(std::move(roots)), open_(std::move(open)),
      index_(std::make_shared<TextIndex>(indexFile)), line_(new QLineEdit(this)),
      texts_(new QCheckBox(QStringLiteral("図面内の文字も検索"), this)),
      list_(new QListWidget(this)), progress_(new QLabel(this)), poll_(new QTimer(this)) {
    setObjectName(QStringLiteral("SearchWindow"));
    setWindowTitle(QStringLiteral("ライブラリ内を検索"));
    line_->setObjectName(QStringLiteral("SearchLine"));
    texts_->setObjectName(QStringLiteral("SearchTexts"));
    list_->setObjectName(QStringLiteral("SearchResults"));
    progress_->setObjectName(QStringLiteral("SearchProgress"));
    line_->setClearButtonEnabled(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(line_);
    layout->addWidget(texts_);
    layout->addWidget(list_, 1);
    layout->addWidget(progress_);
    resize(420, 360);
    connect(line_, &QLineEdit::textChanged, this, &SearchWindow::restart);
    connect(texts_, &QCheckBox::toggled, this, &SearchWindow::restart);
    connect(list_, &QListWidget::itemClicked, this, &SearchWindow::openItem);
    connect(list_, &QListWidget::itemActivated, this, &SearchWindow::openItem);
    connect(line_, &QLineEdit::returnPressed, this, [this] {
        if (list_->count() == 0) return;
        if (!list_->currentItem()) list_->setCurrentRow(0);
        openItem();
    });
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, &SearchWindow::takeFound);
}

SearchWindow::~SearchWindow() {
    for (auto& r : stopping_) r->cancel = true;
    if (run_) run_->cancel = true;
    stopping_.clear();
    run_.reset();
    index_->save();
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void SearchWindow::restart() {
    if (run_) {
        run_->cancel = true;
        stopping_.push_back(std::move(run_));
    }
    list_->clear();
    progress_->clear();
    const SearchQuery query(line_->text());
    if (!query.empty()) {
        run_ = std::make_unique<Run>(SearchRequest{roots_(), query, texts_->isChecked()}, index_);
        progress_->setText(QStringLiteral("検索中…"));
    }
    poll_->start();
}

void SearchWindow::takeFound() {
    std::erase_if(stopping_, [](const auto& r) { return r->done.load(); });
    if (!run_) {
        if (stopping_.empty()) poll_->stop();
        return;
    }
    std::vector<SearchHit> found;
    SearchCounts counts;
    {
        std::lock_guard hold(run_->lock);
        found.swap(run_->found);
        counts = run_->counts;
    }
    for (const SearchHit& hit : found) {
        const QFileInfo file(hit.path);
        const QString where = QDir::toNativeSeparators(file.absolutePath());
        auto* item = new QListWidgetItem(hit.byName ? file.fileName() + QStringLiteral("　") + where
                                                    : file.fileName() + QStringLiteral("　「") +
                                                          hit.text + QStringLiteral("」　") + where,
                                         list_);
        item->setData(Qt::UserRole, hit.path);
        item->setToolTip(QDir::toNativeSeparators(hit.path));
    }
    const bool done = run_->done;
    QString line = (done ? QStringLiteral("%1 件見つかりました（フォルダ %2 件、図面 %3 件）")
                         : QStringLiteral("検索中… %1 件（フォルダ %2 件、図面 %3 件）"))
                       .arg(list_->count())
                       .arg(counts.folders)
                       .arg(counts.files);
    if (counts.unreadable > 0)
        line += QStringLiteral("　読めないファイル %1 件").arg(counts.unreadable);
    if (done && list_->count() >= kMostMatches)
        line += QStringLiteral("　表示は %1 件までです").arg(kMostMatches);
    progress_->setText(line);
    if (done) {
        run_.reset();
        index_->save();
    }
}

void SearchWindow::openItem() {
    if (const QListWidgetItem* item = list_->currentItem())
        open_(item->data(Qt::UserRole).toString());
}

} // namespace quillon
