// The library search: a small window beside the main one with one line to type in, a tick for
// the texts inside drawings, the drawings found and a line of progress. Each change of what is
// typed stops the running search at once and starts another; matches appear as a worker thread
// finds them. A click or Enter on a match hands its path to the window that opened the search.
#pragma once

#include "search/library_search.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

namespace quillon {

class SearchWindow : public QWidget {
public:
    // `roots` gives the folders to search when a search starts; `open` takes a match.
    SearchWindow(QWidget* parent, std::function<QStringList()> roots,
                 std::function<void(const QString&)> open, const QString& indexFile);
    ~SearchWindow() override;

    // At most this many matches are listed; the search stops there.
    static constexpr int kMostMatches = 10000;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Run;
    void restart();
    void takeFound();
    void openItem();

    std::function<QStringList()> roots_;
    std::function<void(const QString&)> open_;
    std::shared_ptr<TextIndex> index_;
    QLineEdit* line_;
    QCheckBox* texts_;
    QListWidget* list_;
    QLabel* progress_;
    QTimer* poll_;
    std::unique_ptr<Run> run_;
    std::vector<std::unique_ptr<Run>> stopping_; // cancelled, ending on their own
};

} // namespace quillon
