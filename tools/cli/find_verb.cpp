// quillon-cli find ROOT... WORDS... [--texts] [--json]: the drawings under the folders whose
// names (with --texts, also whose texts and block names) hold every word, one path a line in the
// order found. The leading arguments that are folders are the roots; the rest are the words.
// Exit 0 when something matched, 1 when nothing did, 2 on bad arguments.
#include "search/library_search.h"
#include "thumbs/thumbnail_cache.h"
#include "verbs.h"

#include <QFileInfo>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace quillon::cli {

namespace {

struct FindArgs {
    std::vector<std::string> arguments;
    bool texts = false, asJson = false;
};

int RunFind(const FindArgs& a) {
    QStringList roots, words;
    for (const std::string& arg : a.arguments) {
        const QString s = QString::fromStdString(arg);
        if (words.isEmpty() && QFileInfo(s).isDir())
            roots.append(s);
        else
            words.append(s);
    }
    if (roots.isEmpty()) return Fail(kUsage, "the first argument must be a folder to search");
    SearchRequest request{roots, SearchQuery(words.join(u' ')), a.texts};
    if (request.query.empty()) return Fail(kUsage, "no words to search for");
    TextIndex index(a.texts ? TextIndexBeside(ThumbnailCache::DefaultFolder()) : QString());
    request.index = &index;
    bool any = false;
    const std::atomic_bool never{false};
    const SearchCounts counts = SearchLibrary(request, never, [&](const SearchHit& hit) {
        any = true;
        if (!a.asJson) {
            std::cout << hit.path.toStdString() << '\n';
            return;
        }
        nlohmann::json line{{"path", hit.path.toStdString()}};
        if (!hit.byName) {
            line["text"] = hit.text.toStdString();
            line["kind"] = TextKindName(hit.kind);
        }
        std::cout << line.dump() << '\n';
    });
    index.save();
    if (counts.unreadable > 0)
        std::cerr << "quillon-cli: " << counts.unreadable
                  << " unreadable folders or drawings skipped\n";
    return any ? 0 : 1;
}

} // namespace

Verb AddFindVerb(CLI::App& cli) {
    auto args = std::make_shared<FindArgs>();
    CLI::App* c = cli.add_subcommand("find", "Find drawings by name or by the texts inside them");
    c->add_option("ARGS", args->arguments, "ROOT... WORDS...: folders to search, then the words")
        ->required();
    c->add_flag("--texts", args->texts, "also the texts and block names inside DXF drawings");
    c->add_flag("--json", args->asJson, "one JSON object a line: path, and text and kind");
    return {c, [args] { return RunFind(*args); }};
}

} // namespace quillon::cli
