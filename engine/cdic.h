#pragma once

#include "resourcetools.h"

#include <vector>

namespace vorlan {

enum class Language { English, Persian };

// What a search pane shows for a typed query: the records it lists, in
// word-list order, and the position among them of the row it selects (the
// first whose visible text equals the query folded as typed, ignoring case),
// or -1.
struct PaneRows {
    std::vector<int32_t> records;
    int selected = -1;
    int32_t selectedRecord() const { return selected < 0 ? -1 : records[std::size_t(selected)]; }
};

// The bilingual dictionary: English headwords with their Persian meanings and
// Persian headwords with their English meanings, paired by record index.
// Construction loads all four word lists; a list that is not built in makes
// it throw ResourceNotFoundError.
class cDic {
public:
    explicit cDic(const ResourceProvider &provider = ResourceProvider::builtIn());
    cDic(const cDic &) = delete;
    cDic &operator=(const cDic &) = delete;

    // The latest search result of each language, shared with the store that
    // made it; empty until the first search of that language has run.
    ResultListRef FindListFa;
    ResultListRef FindListEn;

    QString GetFaMean(int32_t Index) const { return faMeanings_.GetIndex(Index); }
    QString GetFaWord(int32_t Index) const { return faWords_.GetIndex(Index); }
    QString GetEnMean(int32_t Index) const { return enMeanings_.GetIndex(Index); }
    QString GetEnWord(int32_t Index) const { return enWords_.GetIndex(Index); }

    // Whole-record pattern searches over the headwords; a pattern with fewer
    // than two real characters leaves the store's previous list in place.
    void FindEn(const QString &SearchText);
    void FindFa(const QString &SearchText);

    // The rows of a pane for `typed` as typed into its search box: a
    // contains search, or with `exact` the text as a whole-record pattern. A
    // query with fewer than two real characters lists nothing and searches
    // nothing. Runs FindEn or FindFa, so FindListEn or FindListFa holds the rows.
    PaneRows Lookup(Language language, const QString &typed, bool exact);

    // Copy-free access for the window's lists and meaning boxes.
    const ResourceTools &enWords() const { return enWords_; }
    const ResourceTools &enMeanings() const { return enMeanings_; }
    const ResourceTools &faWords() const { return faWords_; }
    const ResourceTools &faMeanings() const { return faMeanings_; }

private:
    // Declared in creation order.
    ResourceTools faWords_;
    ResourceTools enWords_;
    ResourceTools enMeanings_;
    ResourceTools faMeanings_;
};

} // namespace vorlan
