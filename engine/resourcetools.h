#pragma once

#include "resourceprovider.h"
#include "resultlist.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace vorlan {

class Pattern;

// One word list: a text fetched by type name and id, split into records at a
// separator. Answers records by 0-based index and wildcard searches over a
// range of records (see Pattern for the pattern language).
//
// Loading runs after every write of ResName, ResSplitor or ResIndex once all
// three are set. The first character of record 0 (the byte-order mark) is
// dropped. Errors are not handled here: they reach the caller as the
// exceptions of errors.h, and the store stays as far as the failing step got.
class ResourceTools {
public:
    explicit ResourceTools(const ResourceProvider &provider = ResourceProvider::builtIn());
    ResourceTools(const ResourceTools &) = delete;
    ResourceTools &operator=(const ResourceTools &) = delete;

    void setResIndex(int32_t vData);
    int32_t ResIndex() const { return resIndex_; }

    // Searches records iStart..iEnd (both included) for SearchText. An
    // argument of -1, or one left out, means the first or the last record, and
    // the bound used is written back. A query whose probe has fewer than two
    // characters runs no search and changes nothing.
    void StartSearch();
    void StartSearch(int32_t &iStart);
    void StartSearch(int32_t &iStart, int32_t &iEnd);

    // The narrow variant: 16-bit bounds, only '*' removed for the length
    // test, and Arabic marks and alef/teh-marbuta forms folded on both sides.
    // A defaulted iEnd overflows on a list with more than 32,768 records.
    void StartSearch2();
    void StartSearch2(int16_t &iStart);
    void StartSearch2(int16_t &iStart, int16_t &iEnd);

    void setFoundList(ResultListRef vData) { foundList_ = std::move(vData); }
    ResultListRef FoundList() const { return foundList_; }

    void setFoundNumber(int32_t vData) { foundNumber_ = vData; }
    int32_t FoundNumber() const { return foundNumber_; }

    void setSearchText(const QString &vData) { searchText_ = vData; }
    QString SearchText() const { return searchText_; }

    // Record at Index; SubscriptOutOfRangeError outside 0..RecordNumber,
    // NoRecordArrayError before the store has loaded.
    QString GetIndex(int32_t Index) const { return recordView(Index).toString(); }

    // Index of the last record; 0 until loaded.
    int32_t RecordNumber() const { return recordNumber_; }

    void setResSplitor(const QString &vData);
    QString ResSplitor() const { return resSplitor_; }

    void setResName(const QString &vData);
    QString ResName() const { return resName_; }

    // Lower-cases the records for searching now rather than at the first
    // search; once per loaded list.
    void prepareSearch();

    // GetIndex without a copy; the view lives as long as the loaded list.
    QStringView recordView(int32_t index) const;
    // The record as searches compare it once prepared: lower-cased, every
    // letter through foldLetter, and with `looseAlef` alef with madda as
    // plain alef. Lives as long as the loaded list.
    std::u16string_view searchRecord(int32_t index, bool looseAlef) const;
    bool isLoaded() const { return !spans_.empty(); }

private:
    struct Span {
        uint32_t begin;
        uint32_t end; // exclusive
    };

    void load();
    void buildLowerCase();
    void checkIndex(int32_t index) const;
    // Appends the matching records of first..last (already checked) to out.
    void scan(const Pattern &pattern, bool looseAlef, int32_t first, int32_t last,
              ResultList &out) const;
    void scanContains(std::u16string_view needle, bool looseAlef, int32_t first, int32_t last,
                      ResultList &out) const;
    std::u16string_view lowerRecord(int32_t index, bool looseAlef = false) const;
    void foldLetters();

    const ResourceProvider &provider_;
    QString resName_;
    QString resSplitor_;
    int32_t resIndex_ = 0;
    QString searchText_;
    int32_t foundNumber_ = 0;
    ResultListRef foundList_;
    int32_t recordNumber_ = 0;

    QByteArray bytes_; // keeps the fetched bytes alive when text_ points into them
    QString text_;
    std::vector<Span> spans_;
    // Records lower-cased and folded once, before the first search: lower_
    // with lowerSpans_, or, when lowering kept every position, lower_ with
    // spans_. loose_ is lower_ with alef with madda as plain alef (the same
    // positions; shared with lower_ when there is none).
    QString lower_;
    QString loose_;
    std::vector<Span> lowerSpans_;
    bool lowered_ = false;
    // Length of the longest lower-cased record: a pattern that needs more
    // characters than that (a long pasted text) matches nothing, unscanned.
    std::size_t longestRecord_ = 0;
};

// Text as a text or list control holds it: up to the first U+0000.
QStringView visibleText(QStringView text);

} // namespace vorlan
