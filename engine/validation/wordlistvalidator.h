#pragma once

#include "wordlistrules.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vorlan {

// Every rule a set of four word lists must keep.
enum class WordListRule {
    // Bytes and records, checked list by list.
    MissingByteOrderMark,
    OddSize,
    InvalidUtf16,
    LoneCarriageReturn,
    LoneLineFeed,
    EmptyRecord,
    SeparatorAtEnd,
    MissingFinalNul,
    StrayNul,
    // Pairs.
    RecordCountMismatch,
    // Records.
    LeadingOrTrailingSpace,
    TooLong,
    NoCapitalStart,
    DisallowedCharacter,
    ForbiddenLetterForm,
    NoPersianLetter,
    Duplicate,
    OutOfOrder,
};

struct WordListViolation {
    WordList list;
    qsizetype record; // 0-based record index
    WordListRule rule;
    QString message; // one sentence naming the rule broken
    QString text;    // the record, without a trailing U+0000
};

struct WordListTexts {
    QByteArray en;
    QByteArray en2fa;
    QByteArray fa;
    QByteArray fa2en;
};

struct WordListCounts {
    qsizetype english = 0;
    qsizetype persian = 0;
};

// The first broken rule, or nothing when the four texts keep every rule.
// Bytes and record structure are checked first, list by list in the order EN,
// EN2FA, FA, FA2EN; then the record counts of the two pairs; then the records
// themselves, list by list, each list from its first record on; a record's own
// rules go spaces, length, first letter, characters, Persian letter, then its
// place (duplicate, order) against the record before it.
std::optional<WordListViolation> validateWordLists(const WordListTexts &texts,
                                                   WordListCounts *counts = nullptr);

} // namespace vorlan
