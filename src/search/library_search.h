// Finding drawings under folders: DWG and DXF files whose names, or (when asked) whose texts,
// hold every word of a query. Folders are walked depth first in name order; links to folders are
// not followed, so a link loop cannot trap the walk; folders and files that cannot be read are
// counted and skipped. Every drawing is looked at once, however the roots overlap.
#pragma once

#include "search/drawing_texts.h"
#include "search/search_query.h"
#include "search/text_index.h"

#include <QStringList>
#include <atomic>
#include <functional>

namespace quillon {

struct SearchRequest {
    QStringList roots;
    SearchQuery query;
    bool texts = false;         // also the texts and block names inside DXF drawings
    TextIndex* index = nullptr; // texts kept between searches; none: every drawing is read
    int readers = 2;            // threads reading drawings for their texts
};

struct SearchHit {
    QString path;
    bool byName = true; // otherwise by the text below
    TextKind kind = TextKind::Text;
    QString text;
};

struct SearchCounts {
    qint64 folders = 0, files = 0, unreadable = 0;
};

using HitSink = std::function<void(const SearchHit&)>;
using CountSink = std::function<void(const SearchCounts&)>;

// Runs until the walk ends or `cancel` is set; `found` and `progress` are called one at a time,
// from this thread or a reader's. Returns what was looked at.
SearchCounts SearchLibrary(const SearchRequest& request, const std::atomic_bool& cancel,
                           const HitSink& found, const CountSink& progress = {});

// The roots as absolute folders, without repeats and without those inside another.
QStringList DistinctRoots(const QStringList& roots);

} // namespace quillon
