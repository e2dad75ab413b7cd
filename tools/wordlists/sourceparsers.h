#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Readers for the two raw Wiktionary extracts. They only take the lines apart;
// what to keep is decided by the converter.
namespace vorlan::wordlists {

// One translation of the 2015 list, its transliteration and gender tags gone.
struct TranslationItem {
    QString text;           // Persian, possibly with a parenthesised note
    QStringList qualifiers; // "[colloquial]" and the like, without brackets
};

// `HEADWORD {pos} (sense gloss) :: TR1 /translit/, TR2 [qualifier], ...`
struct TranslationLine {
    QString headword;
    QString pos;
    QString gloss; // may be empty
    QList<TranslationItem> items;
};

// Nothing for a line that does not have that shape. Comment lines ('#') are
// the caller's to skip.
std::optional<TranslationLine> parseTranslationLine(QStringView line);

// The team's tables: the tab-separated fields of every line, trimmed, that is
// neither blank nor a '#' comment.
QList<QStringList> tableRows(const QString &text);

// One part-of-speech block of a 2022 entry: `<i>POS</i><br><ol><li>..</li></ol>`.
struct PosBlock {
    QString pos;
    QStringList glosses; // raw HTML of each <li>
};

// `KEY1|KEY2|...<TAB>HTML`; KEY1 is the lemma, the others alternate forms.
struct WiktextractEntry {
    QString lemma;
    QStringList otherKeys;
    QList<PosBlock> blocks;
};

// Nothing for a line without a tab, without a lemma or without any block.
std::optional<WiktextractEntry> parseWiktextractLine(QStringView line);

// Tags removed and entities decoded (named ones of HTML 4's Latin set that
// occur in glosses, and numeric ones); nothing for an unknown entity, since
// guessing would put text in the list that the source never said.
std::optional<QString> decodeHtmlText(QStringView html);

// Splits at any of `separators` that stands outside () and [].
QStringList splitOutsideBrackets(QStringView text, QStringView separators);

} // namespace vorlan::wordlists
