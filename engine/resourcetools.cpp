#include "resourcetools.h"

#include "errors.h"
#include "folding.h"
#include "pattern.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlan {

namespace {

std::u16string_view toStd(QStringView v) {
    return {reinterpret_cast<const char16_t *>(v.utf16()), static_cast<std::size_t>(v.size())};
}

bool hasSurrogate(QStringView s) {
    for (QChar c : s) {
        if (c.isSurrogate()) {
            return true;
        }
    }
    return false;
}

// First position at or after `from` where `needle` starts, or -1. Candidates
// are positions where the needle's first and last characters both fit, eight
// at a time where the processor allows, so common letters cost little.
qsizetype findNeedle(const char16_t *hay, qsizetype size, qsizetype from,
                     std::u16string_view needle) {
    const auto len = static_cast<qsizetype>(needle.size());
    const char16_t first = needle.front();
    const char16_t last = needle.back();
    const std::size_t middleBytes = len > 2 ? static_cast<std::size_t>(len - 2) * 2 : 0;
    auto matchesAt = [&](qsizetype pos) {
        return middleBytes == 0 || std::memcmp(hay + pos + 1, needle.data() + 1, middleBytes) == 0;
    };
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i wantFirst = _mm_set1_epi16(static_cast<short>(first));
    const __m128i wantLast = _mm_set1_epi16(static_cast<short>(last));
    for (; i + (len - 1) + 8 <= size; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(hay + i + len - 1));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(a, wantFirst), _mm_cmpeq_epi16(b, wantLast))));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask); // two mask bits per character
            const qsizetype pos = i + bit / 2;
            if (matchesAt(pos)) {
                return pos;
            }
            mask &= ~(3u << bit);
        }
    }
#endif
    for (; i + len <= size; ++i) {
        if (hay[i] == first && hay[i + len - 1] == last && matchesAt(i)) {
            return i;
        }
    }
    return -1;
}

// Code units without case beyond ASCII: the Arabic blocks, general
// punctuation and the byte-order mark.
bool caseless(char16_t c) {
    return (c >= 0x0600 && c <= 0x06FF) || (c >= 0x0750 && c <= 0x077F) ||
           (c >= 0x2000 && c <= 0x206F) || (c >= 0xFB50 && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF);
}

// Lower case of a text made of ASCII and caseless units, which is all the word
// lists hold, without the cost of the full case mapping; shares the text when
// nothing changes. False when another unit appears: that text needs the full
// mapping.
bool lowerQuickly(const QString &text, QString &out) {
    const auto *in = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            if (static_cast<unsigned>(c - u'A') < 26u) {
                break;
            }
        } else if (!caseless(c)) {
            return false;
        }
    }
    if (i == n) {
        out = text;
        return true;
    }
    QString lowered(n, Qt::Uninitialized);
    auto *o = reinterpret_cast<char16_t *>(lowered.data());
    std::memcpy(o, in, static_cast<std::size_t>(i) * sizeof(char16_t));
    for (; i < n; ++i) {
        const char16_t c = in[i];
        if (c < 0x80) {
            o[i] = static_cast<unsigned>(c - u'A') < 26u ? static_cast<char16_t>(c + 32) : c;
        } else if (caseless(c)) {
            o[i] = c;
        } else {
            return false;
        }
    }
    out = std::move(lowered);
    return true;
}

} // namespace

ResourceTools::ResourceTools(const ResourceProvider &provider) : provider_(provider) {}

void ResourceTools::setResName(const QString &vData) {
    resName_ = vData;
    load();
}

void ResourceTools::setResSplitor(const QString &vData) {
    resSplitor_ = vData;
    load();
}

void ResourceTools::setResIndex(int32_t vData) {
    resIndex_ = vData;
    load();
}

void ResourceTools::load() {
    if (resSplitor_.isEmpty() || resName_.isEmpty() || resIndex_ == 0) {
        return;
    }
    std::optional<QByteArray> fetched = provider_.fetch(resName_, resIndex_);
    if (!fetched) {
        throw ResourceNotFoundError("no word list of type \"" + resName_.toStdString() +
                                    "\" with id " + std::to_string(resIndex_));
    }
    QByteArray bytes = std::move(*fetched);
    // Each pair of bytes is one little-endian UTF-16 code unit; an odd last
    // byte belongs to no code unit and is ignored.
    const qsizetype units = bytes.size() / 2;
    QString text;
    const bool aligned = reinterpret_cast<quintptr>(bytes.constData()) % alignof(char16_t) == 0;
    if (aligned && QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        text = QString::fromRawData(reinterpret_cast<const QChar *>(bytes.constData()), units);
    } else {
        text.resize(units);
        qFromLittleEndian<char16_t>(bytes.constData(), units, text.data());
    }

    if (static_cast<quint64>(text.size()) > std::numeric_limits<uint32_t>::max()) {
        throw OverflowError("word list \"" + resName_.toStdString() + "\" is too large");
    }

    // Split at every occurrence of the separator, empty parts included.
    std::vector<Span> spans;
    spans.reserve(static_cast<std::size_t>(text.size() / 16 + 1));
    const std::u16string_view separator = toStd(resSplitor_);
    const auto *chars = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype sepLen = resSplitor_.size();
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = findNeedle(chars, text.size(), from, separator);
        if (at < 0) {
            break;
        }
        spans.push_back({static_cast<uint32_t>(from), static_cast<uint32_t>(at)});
        from = at + sepLen;
    }
    spans.push_back({static_cast<uint32_t>(from), static_cast<uint32_t>(text.size())});
    if (spans.size() - 1 > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        throw OverflowError("word list has too many records");
    }
    if (spans[0].end > spans[0].begin) {
        ++spans[0].begin; // drop the byte-order mark
    }

    bytes_ = std::move(bytes);
    text_ = std::move(text);
    spans_ = std::move(spans);
    recordNumber_ = static_cast<int32_t>(spans_.size() - 1);
    lower_.clear();
    loose_.clear();
    lowerSpans_.clear();
    lowered_ = false;
}

void ResourceTools::prepareSearch() {
    if (!lowered_ && isLoaded()) {
        buildLowerCase();
        foldLetters();
        longestRecord_ = 0;
        for (const Span &s : lowerSpans_.empty() ? spans_ : lowerSpans_) {
            longestRecord_ = std::max<std::size_t>(longestRecord_, s.end - s.begin);
        }
        lowered_ = true;
    }
}

void ResourceTools::buildLowerCase() {
    lowerSpans_.clear();
    // Lower-casing is context-free, so lowering the whole text at once gives
    // every record's lower case at the same place, provided no case mapping
    // changed a length and no surrogate pair straddles a record boundary.
    const bool pairsSafe =
        !hasSurrogate(resSplitor_) && !(text_.size() > 0 && text_[0].isSurrogate());
    if (lowerQuickly(text_, lower_)) {
        return; // every position kept
    }
    lower_ = text_.toLower();
    if (pairsSafe && lower_.size() == text_.size()) {
        return;
    }
    QString joined;
    joined.reserve(text_.size());
    lowerSpans_.reserve(spans_.size());
    for (const Span &s : spans_) {
        const auto begin = static_cast<uint32_t>(joined.size());
        joined += QStringView(text_).sliced(s.begin, s.end - s.begin).toString().toLower();
        lowerSpans_.push_back({begin, static_cast<uint32_t>(joined.size())});
    }
    lower_ = std::move(joined);
}

// Every change keeps lengths, so the spans stay as they are.
void ResourceTools::foldLetters() {
    const auto *in = reinterpret_cast<const char16_t *>(lower_.utf16());
    const qsizetype n = lower_.size();
    qsizetype first = 0;
    while (first < n && foldLetter(in[first]) == in[first]) {
        ++first;
    }
    if (first < n) {
        auto *out = reinterpret_cast<char16_t *>(lower_.data());
        for (qsizetype i = first; i < n; ++i) {
            out[i] = foldLetter(out[i]);
        }
    }
    loose_ = lower_;
    if (lower_.contains(QChar(0x0622))) {
        loose_.replace(QChar(0x0622), QChar(0x0627));
    }
}

void ResourceTools::checkIndex(int32_t index) const {
    if (spans_.empty()) {
        throw NoRecordArrayError("the word list \"" + resName_.toStdString() +
                                 "\" has not been loaded");
    }
    if (index < 0 || index > recordNumber_) {
        throw SubscriptOutOfRangeError("record " + std::to_string(index) + " is outside 0.." +
                                       std::to_string(recordNumber_));
    }
}

QStringView ResourceTools::recordView(int32_t index) const {
    checkIndex(index);
    const Span &s = spans_[static_cast<std::size_t>(index)];
    return QStringView(text_).sliced(s.begin, s.end - s.begin);
}

std::u16string_view ResourceTools::lowerRecord(int32_t index, bool looseAlef) const {
    const Span &s = (lowerSpans_.empty() ? spans_ : lowerSpans_)[static_cast<std::size_t>(index)];
    const QString &text = looseAlef ? loose_ : lower_;
    return {reinterpret_cast<const char16_t *>(text.utf16()) + s.begin, s.end - s.begin};
}

std::u16string_view ResourceTools::searchRecord(int32_t index, bool looseAlef) const {
    checkIndex(index);
    return lowerRecord(index, looseAlef);
}

void ResourceTools::StartSearch() {
    int32_t iStart = -1;
    int32_t iEnd = -1;
    StartSearch(iStart, iEnd);
}

void ResourceTools::StartSearch(int32_t &iStart) {
    int32_t iEnd = -1;
    StartSearch(iStart, iEnd);
}

void ResourceTools::StartSearch(int32_t &iStart, int32_t &iEnd) {
    if (!isSearchable(searchText_)) {
        return;
    }
    auto list = std::make_shared<ResultList>();
    foundList_ = list;
    foundNumber_ = 0;
    const QString folded = foldQueryForSearch(searchText_);
    if (iStart == -1) {
        iStart = 0;
    }
    if (iEnd == -1) {
        iEnd = recordNumber_;
    }
    if (iStart > iEnd) {
        return;
    }
    // Records are examined in order, so a range that leaves the list fails at
    // its first index outside, after the matches before it.
    checkIndex(iStart);
    prepareSearch();
    const Pattern pattern(toStd(folded));
    scan(pattern, looseAlef(folded), iStart, std::min(iEnd, recordNumber_), *list);
    checkIndex(iEnd);
    foundNumber_ = list->Count();
}

void ResourceTools::scan(const Pattern &pattern, bool looseAlef, int32_t first, int32_t last,
                         ResultList &out) const {
    if (pattern.minLength() > longestRecord_) {
        return;
    }
    switch (pattern.shape()) {
    case Pattern::Shape::Invalid:
        return;
    case Pattern::Shape::Contains:
        scanContains(pattern.literal(), looseAlef, first, last, out);
        return;

    default:
        break;
    }
    const std::size_t minLength = pattern.minLength();
    for (int32_t i = first; i <= last; ++i) {
        const std::u16string_view record = lowerRecord(i, looseAlef);
        if (record.size() >= minLength && pattern.matches(record)) {
            out.Add(i);
        }
    }
}

void ResourceTools::scanContains(std::u16string_view needle, bool looseAlef, int32_t first,
                                 int32_t last, ResultList &out) const {
    // One pass over the lower-cased text instead of one search per record; an
    // occurrence counts only if it lies wholly inside one record, and after a
    // hit the scan moves on to the next record.
    const std::vector<Span> &spans = lowerSpans_.empty() ? spans_ : lowerSpans_;
    const char16_t *text =
        reinterpret_cast<const char16_t *>((looseAlef ? loose_ : lower_).utf16());
    const qsizetype stop = spans[static_cast<std::size_t>(last)].end;
    const auto len = static_cast<uint32_t>(needle.size());
    int32_t r = first;
    qsizetype pos = spans[static_cast<std::size_t>(first)].begin;
    while ((pos = findNeedle(text, stop, pos, needle)) >= 0) {
        const auto at = static_cast<uint32_t>(pos);
        while (r < last && spans[static_cast<std::size_t>(r) + 1].begin <= at) {
            ++r;
        }
        if (at + len <= spans[static_cast<std::size_t>(r)].end) {
            out.Add(r);
            if (r == last) {
                break;
            }
            ++r;
            pos = spans[static_cast<std::size_t>(r)].begin;
        } else {
            ++pos;
        }
    }
}

void ResourceTools::StartSearch2() {
    int16_t iStart = -1;
    int16_t iEnd = -1;
    StartSearch2(iStart, iEnd);
}

void ResourceTools::StartSearch2(int16_t &iStart) {
    int16_t iEnd = -1;
    StartSearch2(iStart, iEnd);
}

void ResourceTools::StartSearch2(int16_t &iStart, int16_t &iEnd) {
    QString stars = searchText_;
    stars.remove(u'*');
    if (trimSpaces(stars).size() < 2) {
        return;
    }
    auto list = std::make_shared<ResultList>();
    foundList_ = list;
    foundNumber_ = 0;
    const QString folded = foldArabicMarks(foldQueryForSearch(searchText_));
    if (iStart == -1) {
        iStart = 0;
    }
    if (iEnd == -1) {
        if (recordNumber_ > std::numeric_limits<int16_t>::max()) {
            throw OverflowError("record number " + std::to_string(recordNumber_) +
                                " does not fit a 16-bit bound");
        }
        iEnd = static_cast<int16_t>(recordNumber_);
    }
    if (iStart > iEnd) {
        return;
    }
    checkIndex(iStart);
    prepareSearch();
    const Pattern pattern(toStd(folded));
    // Folding marks away only shortens a record, so the longest one still bounds them.
    const int32_t last =
        pattern.minLength() > longestRecord_ ? iStart - 1 : std::min<int32_t>(iEnd, recordNumber_);
    for (int32_t i = iStart; i <= last; ++i) {
        const std::u16string_view lowered = lowerRecord(i);
        const QString record =
            foldArabicMarks(QStringView(lowered.data(), static_cast<qsizetype>(lowered.size())));
        if (pattern.matches(toStd(record))) {
            list->Add(i);
        }
    }
    checkIndex(iEnd);
    foundNumber_ = list->Count();
}

QStringView visibleText(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

} // namespace vorlan
