#include "wordlistvalidator.h"

#include <QStringList>
#include <QtEndian>

namespace vorlan {

namespace {

using namespace wordlist;

QString hexCode(char16_t c) {
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

struct Decoded {
    QStringList records;
};

// Splits one text into records, checking everything that is about bytes and
// separators rather than about what a record says.
std::optional<WordListViolation> decode(WordList list, const QByteArray &bytes, Decoded &out) {
    auto fail = [&](qsizetype record, WordListRule rule, QString message, QString text = {}) {
        return WordListViolation{list, record, rule, std::move(message), std::move(text)};
    };
    if (bytes.size() < 2 || uchar(bytes[0]) != 0xFF || uchar(bytes[1]) != 0xFE) {
        return fail(0, WordListRule::MissingByteOrderMark,
                    QStringLiteral("The text does not begin with the byte-order mark FF FE."));
    }
    const qsizetype units = bytes.size() / 2;
    const bool nulWanted = hasTrailingNul(list);
    QString current;
    QStringList &records = out.records;
    for (qsizetype k = 1; k < units; ++k) {
        const char16_t c = qFromLittleEndian<char16_t>(bytes.constData() + 2 * k);
        const qsizetype index = records.size();
        const bool last = k == units - 1;
        if (c >= 0xD800 && c <= 0xDBFF) {
            const char16_t next =
                last ? 0 : qFromLittleEndian<char16_t>(bytes.constData() + 2 * (k + 1));
            if (next < 0xDC00 || next > 0xDFFF) {
                return fail(index, WordListRule::InvalidUtf16,
                            QStringLiteral("The high surrogate %1 is not followed by a low "
                                           "surrogate, so the text is not valid UTF-16LE.")
                                .arg(hexCode(c)),
                            current);
            }
            current.append(QChar(c));
            current.append(QChar(next));
            ++k;
            continue;
        }
        if (c >= 0xDC00 && c <= 0xDFFF) {
            return fail(index, WordListRule::InvalidUtf16,
                        QStringLiteral("The low surrogate %1 stands alone, so the text is not "
                                       "valid UTF-16LE.")
                            .arg(hexCode(c)),
                        current);
        }
        if (c == u'\r') {
            const char16_t next =
                last ? 0 : qFromLittleEndian<char16_t>(bytes.constData() + 2 * (k + 1));
            if (next != u'\n') {
                return fail(index, WordListRule::LoneCarriageReturn,
                            QStringLiteral("A CR is not followed by LF."), current);
            }
            if (current.isEmpty()) {
                return fail(index, WordListRule::EmptyRecord,
                            QStringLiteral("The record is empty."));
            }
            records.append(current);
            current.clear();
            ++k;
            continue;
        }
        if (c == u'\n') {
            return fail(index, WordListRule::LoneLineFeed,
                        QStringLiteral("An LF is not preceded by CR."), current);
        }
        if (c == 0) {
            if (!(nulWanted && last)) {
                return fail(index, WordListRule::StrayNul,
                            nulWanted ? QStringLiteral("U+0000 stands before the end of the "
                                                       "text; it may only be the last code unit.")
                                      : QStringLiteral("U+0000 occurs in %1, which has none.")
                                            .arg(wordListName(list)),
                            current);
            }
            continue;
        }
        current.append(QChar(c));
    }
    const qsizetype lastIndex = records.size();
    if (bytes.size() % 2 != 0) {
        return fail(lastIndex, WordListRule::OddSize,
                    QStringLiteral("The size is %1 bytes, an odd number, so the text cannot be "
                                   "UTF-16.")
                        .arg(bytes.size()),
                    current);
    }
    if (current.isEmpty()) {
        if (!records.isEmpty()) {
            return fail(lastIndex, WordListRule::SeparatorAtEnd,
                        QStringLiteral("CR LF stands after the last record."));
        }
        return fail(0, WordListRule::EmptyRecord,
                    QStringLiteral("The text holds no record; the record is empty."));
    }
    const bool endsWithNul =
        units >= 2 && qFromLittleEndian<char16_t>(bytes.constData() + 2 * (units - 1)) == 0;
    if (nulWanted && !endsWithNul) {
        return fail(lastIndex, WordListRule::MissingFinalNul,
                    QStringLiteral("The last record is not followed by the one U+0000 that "
                                   "ends %1.")
                        .arg(wordListName(list)),
                    current);
    }
    records.append(current);
    return std::nullopt;
}

bool isHeadwordList(WordList list) {
    return list == WordList::En || list == WordList::Fa;
}

qsizetype maxLength(WordList list) {
    switch (list) {
    case WordList::En:
        return kMaxEnHeadword;
    case WordList::En2Fa:
        return kMaxEn2FaMeaning;
    case WordList::Fa:
        return kMaxFaHeadword;
    case WordList::Fa2En:
        return kMaxFa2EnMeaning;
    }
    return 0;
}

bool allowedIn(WordList list, char16_t c) {
    switch (list) {
    case WordList::En:
        return isEnHeadwordChar(c);
    case WordList::En2Fa:
    case WordList::Fa:
        return isPersianTextChar(c);
    case WordList::Fa2En:
        return isEnglishTextChar(c);
    }
    return false;
}

QString allowedSetName(WordList list) {
    switch (list) {
    case WordList::En:
        return QStringLiteral("ASCII letters, space, hyphen-minus, apostrophe, parentheses, "
                              "full stop and comma");
    case WordList::En2Fa:
    case WordList::Fa:
        return QStringLiteral("the 34 Persian letters and printable ASCII");
    case WordList::Fa2En:
        return QStringLiteral("printable ASCII (U+0020..U+007E)");
    }
    return {};
}

// The rules of one record on its own, in the order the header promises.
std::optional<std::pair<WordListRule, QString>> checkRecord(WordList list, const QString &r) {
    using Result = std::pair<WordListRule, QString>;
    const QString kind =
        isHeadwordList(list) ? QStringLiteral("headword") : QStringLiteral("meaning");
    if (r.front() == u' ' || r.back() == u' ') {
        return Result{WordListRule::LeadingOrTrailingSpace,
                      QStringLiteral("The %1 begins or ends with a space.").arg(kind)};
    }
    if (r.size() > maxLength(list)) {
        return Result{WordListRule::TooLong,
                      QStringLiteral("The %1 has %2 characters; at most %3 are allowed.")
                          .arg(kind)
                          .arg(r.size())
                          .arg(maxLength(list))};
    }
    if (list == WordList::En && !(r.front() >= u'A' && r.front() <= u'Z')) {
        return Result{WordListRule::NoCapitalStart,
                      QStringLiteral("The headword does not begin with an upper-case ASCII "
                                     "letter.")};
    }
    const bool persian = list == WordList::Fa || list == WordList::En2Fa;
    for (QChar ch : r) {
        const char16_t c = ch.unicode();
        if (persian) {
            if (const char *why = forbiddenPersianForm(c)) {
                return Result{
                    WordListRule::ForbiddenLetterForm,
                    QStringLiteral("The Persian text holds %1.").arg(QString::fromLatin1(why))};
            }
        }
        if (!allowedIn(list, c)) {
            return Result{WordListRule::DisallowedCharacter,
                          QStringLiteral("The %1 holds %2, which is not among %3.")
                              .arg(kind, hexCode(c), allowedSetName(list))};
        }
    }
    if (list == WordList::Fa && !containsPersianLetter(r)) {
        return Result{WordListRule::NoPersianLetter,
                      QStringLiteral("The Persian headword holds no Persian letter.")};
    }
    return std::nullopt;
}

// Where a headword stands against the one before it.
std::optional<std::pair<WordListRule, QString>> checkPlace(WordList list, const QString &prev,
                                                           const QString &r) {
    using Result = std::pair<WordListRule, QString>;
    if (list == WordList::En) {
        const QString a = enSortKey(prev);
        const QString b = enSortKey(r);
        if (a == b) {
            return Result{WordListRule::Duplicate,
                          QStringLiteral("The headword equals the one before it when case is "
                                         "ignored (\"%1\").")
                              .arg(prev)};
        }
        if (b < a) {
            return Result{WordListRule::OutOfOrder,
                          QStringLiteral("The headword sorts before the one before it (\"%1\") "
                                         "by the code units of the lower-cased text.")
                              .arg(prev)};
        }
    } else if (list == WordList::Fa) {
        if (prev == r) {
            return Result{WordListRule::Duplicate,
                          QStringLiteral("The headword equals the one before it.")};
        }
        if (compareFa(prev, r) > 0) {
            return Result{WordListRule::OutOfOrder,
                          QStringLiteral("The headword sorts before the one before it (\"%1\") "
                                         "in the Persian letter order.")
                              .arg(prev)};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<WordListViolation> validateWordLists(const WordListTexts &texts,
                                                   WordListCounts *counts) {
    const std::pair<WordList, const QByteArray *> inputs[] = {
        {WordList::En, &texts.en},
        {WordList::En2Fa, &texts.en2fa},
        {WordList::Fa, &texts.fa},
        {WordList::Fa2En, &texts.fa2en},
    };
    Decoded decoded[4];
    for (int i = 0; i < 4; ++i) {
        if (auto v = decode(inputs[i].first, *inputs[i].second, decoded[i])) {
            return v;
        }
    }
    for (int i = 0; i < 4; i += 2) {
        const qsizetype heads = decoded[i].records.size();
        const qsizetype means = decoded[i + 1].records.size();
        if (heads != means) {
            const WordList meaning = inputs[i + 1].first;
            const qsizetype first = std::min(heads, means);
            return WordListViolation{
                meaning, first, WordListRule::RecordCountMismatch,
                QStringLiteral("%1 has %2 records but %3 has %4; from record %5 on the pair is "
                               "not aligned.")
                    .arg(wordListName(inputs[i].first))
                    .arg(heads)
                    .arg(wordListName(meaning))
                    .arg(means)
                    .arg(first),
                means > first ? decoded[i + 1].records[first] : QString()};
        }
    }
    for (int i = 0; i < 4; ++i) {
        const WordList list = inputs[i].first;
        const QStringList &records = decoded[i].records;
        for (qsizetype k = 0; k < records.size(); ++k) {
            auto broken = checkRecord(list, records[k]);
            if (!broken && k > 0) {
                broken = checkPlace(list, records[k - 1], records[k]);
            }
            if (broken) {
                return WordListViolation{list, k, broken->first, broken->second, records[k]};
            }
        }
    }
    if (counts) {
        counts->english = decoded[0].records.size();
        counts->persian = decoded[2].records.size();
    }
    return std::nullopt;
}

} // namespace vorlan
