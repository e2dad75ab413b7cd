#include "normalise.h"

#include "wordlistrules.h"

#include <algorithm>

namespace vorlan::wordlists {

namespace {

using wordlist::containsPersianLetter;

QString cleanFaHeadword(QString s) {
    s.replace(u'_', u' ');
    s.remove(u'[');
    s.remove(u']');
    const qsizetype colon = s.indexOf(u':');
    if (colon >= 0) {
        const QString before = s.left(colon);
        s = containsPersianLetter(before) ? before : s.mid(colon + 1);
    }
    s = s.simplified();
    while (s.endsWith(u'?') || s.endsWith(u'!')) {
        s.chop(1);
        s = s.simplified();
    }
    return s;
}

bool isAffixNotation(const QString &s) {
    const QStringList words = s.split(u' ', Qt::SkipEmptyParts);
    return std::any_of(words.begin(), words.end(),
                       [](const QString &w) { return w.startsWith(u'-') || w.endsWith(u'-'); });
}

} // namespace

std::optional<QString> persianText(QStringView raw) {
    const auto normalised = wordlist::normalisePersian(raw);
    if (!normalised) {
        return std::nullopt;
    }
    return correctTypos(*normalised);
}

QString correctTypos(QString persian) {
    for (const TypoPatch &p : typoPatches()) {
        for (qsizetype at = persian.indexOf(p.wrong); at >= 0; at = persian.indexOf(p.wrong, at)) {
            const qsizetype end = at + p.wrong.size();
            const bool whole = (at == 0 || persian[at - 1] == u' ') &&
                               (end == persian.size() || persian[end] == u' ');
            if (whole) {
                persian.replace(at, p.wrong.size(), p.right.toString());
                at += p.right.size();
            } else {
                at = end;
            }
        }
    }
    return persian;
}

std::optional<QString> persianHeadword(QStringView raw, Report &report) {
    const auto normalised = persianText(raw);
    if (!normalised) {
        report.drop(
            QStringLiteral("Persian text with letters outside the 34 or presentation forms"));
        return std::nullopt;
    }
    const QString norm = cleanFaHeadword(*normalised);
    if (!containsPersianLetter(norm) || norm.contains(QStringLiteral("...")) ||
        norm.contains(u',') || norm.contains(u';') ||
        std::any_of(norm.begin(), norm.end(), [](QChar c) { return c >= u'a' && c <= u'z'; })) {
        // Lists, and English or transliteration left in a translation: an
        // upper-case "X" (قرص X) is part of a word, lower-case text never is.
        report.drop(QStringLiteral("FA headword that is not a Persian word or phrase"));
        return std::nullopt;
    }
    if (!wordlist::isPersianLetter(norm.front().unicode()) || isAffixNotation(norm)) {
        report.drop(QStringLiteral("FA headword that is an affix or does not begin with a "
                                   "Persian letter"));
        return std::nullopt;
    }
    if (norm.size() > wordlist::kMaxFaHeadword) {
        report.drop(QStringLiteral("FA headword longer than 176 characters"));
        return std::nullopt;
    }
    return norm;
}

QString joinedSpelling(QStringView raw) {
    if (!raw.contains(QChar(0x200C))) {
        return {};
    }
    Report ignored;
    return persianHeadword(raw.toString().remove(QChar(0x200C)), ignored).value_or(QString());
}

bool hasLatinLetter(QStringView s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
               (c.unicode() >= 0xC0 && c.unicode() < 0x250);
    });
}

} // namespace vorlan::wordlists
