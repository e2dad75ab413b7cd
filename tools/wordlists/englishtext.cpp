#include "englishtext.h"

#include "sourceparsers.h"
#include "wordlistrules.h"

#include <QRegularExpression>

#include <optional>

namespace vorlan::wordlists {

namespace {

// Letters that do not decompose into a base letter and a mark.
QString spellOut(char16_t c) {
    switch (c) {
    case 0x00C6:
        return QStringLiteral("Ae");
    case 0x00E6:
        return QStringLiteral("ae");
    case 0x0152:
        return QStringLiteral("Oe");
    case 0x0153:
        return QStringLiteral("oe");
    case 0x00DF:
        return QStringLiteral("ss");
    case 0x00D8:
        return QStringLiteral("O");
    case 0x00F8:
        return QStringLiteral("o");
    case 0x0141:
        return QStringLiteral("L");
    case 0x0142:
        return QStringLiteral("l");
    case 0x0110:
    case 0x00D0:
        return QStringLiteral("D");
    case 0x0111:
    case 0x00F0:
        return QStringLiteral("d");
    case 0x00DE:
        return QStringLiteral("Th");
    case 0x00FE:
        return QStringLiteral("th");
    case 0x0131:
        return QStringLiteral("i");
    case 0x2018:
    case 0x2019:
    case 0x02BB:
    case 0x02BC:
    case 0x02BF:
    case 0x02BE:
    case 0x2032:
        return QStringLiteral("'");
    case 0x201C:
    case 0x201D:
        return QStringLiteral("\"");
    case 0x2010:
    case 0x2011:
    case 0x2013:
    case 0x2014:
        return QStringLiteral("-");
    case 0x2026:
        return QStringLiteral("...");
    case 0x00A0:
        return QStringLiteral(" ");
    case 0x00D7:
        return QStringLiteral("x");
    default:
        return {};
    }
}

// Drops parenthesised notes (nested ones included) whose inside is longer
// than `maxNote` characters.
QString removeLongNotes(QStringView text, qsizetype maxNote) {
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] == u'(') {
            int depth = 0;
            qsizetype close = -1;
            for (qsizetype j = i; j < text.size(); ++j) {
                if (text[j] == u'(') {
                    ++depth;
                } else if (text[j] == u')' && --depth == 0) {
                    close = j;
                    break;
                }
            }
            if (close > i && close - i - 1 > maxNote) {
                i = close + 1;
                continue;
            }
        }
        out.append(text[i]);
        ++i;
    }
    return wordlist::collapseSpaces(out);
}

QString stripTrailingStop(QString s) {
    while (!s.isEmpty() && (s.back() == u'.' || s.back() == u' ')) {
        // Keep the stop of a final abbreviation such as "etc." or "U.S."
        if (s.back() == u'.' &&
            (s.endsWith(QStringLiteral("etc.")) || (s.size() >= 3 && s[s.size() - 3] == u'.'))) {
            break;
        }
        s.chop(1);
    }
    return s;
}

// The short form of a label: "dialectal, Shiraz, Kazerun" keeps its first two
// items when the whole is long.
QString shortLabel(const QString &label) {
    if (label.size() <= 24) {
        return label;
    }
    const QStringList items = splitOutsideBrackets(label, u",");
    QString s = items.value(0);
    if (items.size() > 1 && s.size() + items[1].size() + 2 <= 24) {
        s += QStringLiteral(", ") + items[1];
    }
    return s;
}

// Removes a parenthesised note, nested parentheses included, from the front of
// `s` and returns its inside.
std::optional<QString> takeLeadingNote(QString &s) {
    if (!s.startsWith(u'(')) {
        return std::nullopt;
    }
    int depth = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'(') {
            ++depth;
        } else if (s[i] == u')' && --depth == 0) {
            const QString inside = s.mid(1, i - 1).trimmed();
            s = s.mid(i + 1).trimmed();
            return inside;
        }
    }
    return std::nullopt;
}

// A comma item that cannot stand alone: it begins with a word that only
// continues a phrase ("of", "or relating to", "especially Europe").
bool continuesPhrase(QStringView item) {
    static const QStringList words = {
        QStringLiteral("of"),           QStringLiteral("or"),       QStringLiteral("and"),
        QStringLiteral("from"),         QStringLiteral("relating"), QStringLiteral("pertaining"),
        QStringLiteral("belonging"),    QStringLiteral("related"),  QStringLiteral("especially"),
        QStringLiteral("particularly"), QStringLiteral("usually"),  QStringLiteral("chiefly"),
        QStringLiteral("mainly"),       QStringLiteral("mostly"),   QStringLiteral("also"),
        QStringLiteral("etc"),          QStringLiteral("e.g."),     QStringLiteral("i.e.")};
    const QString trimmed = item.trimmed().toString();
    const QString first = trimmed.section(u' ', 0, 0).toLower();
    // An adverb alone ("especially, particularly", "mostly") is a sense of
    // its own; only a connective alone continues the phrase before it.
    static const QStringList connectives = {QStringLiteral("of"),  QStringLiteral("or"),
                                            QStringLiteral("and"), QStringLiteral("from"),
                                            QStringLiteral("etc"), QStringLiteral("e.g."),
                                            QStringLiteral("i.e.")};
    if (!trimmed.contains(u' ') && !connectives.contains(first)) {
        return false;
    }
    return words.contains(first);
}

} // namespace

QString foldToAscii(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            out.append(c);
            continue;
        }
        if (const QString spelt = spellOut(c.unicode()); !spelt.isEmpty()) {
            out.append(spelt);
            continue;
        }
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
        QString base;
        for (QChar d : decomposed) {
            if (d.category() != QChar::Mark_NonSpacing) {
                base.append(d);
            }
        }
        out.append(base.isEmpty() ? QString(c) : base);
    }
    return out;
}

bool isPrintableAsciiText(QStringView text) {
    for (QChar c : text) {
        if (!wordlist::isPrintableAscii(c.unicode())) {
            return false;
        }
    }
    return true;
}

QString capitaliseFirst(QStringView text) {
    QString s = text.toString();
    if (!s.isEmpty() && s[0] >= u'a' && s[0] <= u'z') {
        s[0] = QChar(s[0].unicode() - u'a' + u'A');
    }
    return s;
}

QString makeEnHeadword(QStringView raw, HeadwordProblem *problem) {
    const QString s = capitaliseFirst(wordlist::collapseSpaces(foldToAscii(raw)));
    auto reject = [&](HeadwordProblem why) {
        if (problem) {
            *problem = why;
        }
        return QString();
    };
    if (s.isEmpty() || !(s[0] >= u'A' && s[0] <= u'Z')) {
        return reject(HeadwordProblem::Characters);
    }
    for (QChar c : s) {
        if (!wordlist::isEnHeadwordChar(c.unicode())) {
            return reject(HeadwordProblem::Characters);
        }
    }
    if (s.size() > wordlist::kMaxEnHeadword) {
        return reject(HeadwordProblem::TooLong);
    }
    if (problem) {
        *problem = HeadwordProblem::None;
    }
    return s;
}

qsizetype wordCount(QStringView text) {
    qsizetype n = 0;
    bool inWord = false;
    for (QChar c : text) {
        if (c == u' ') {
            inWord = false;
        } else if (!inWord) {
            inWord = true;
            ++n;
        }
    }
    return n;
}

bool isFormOfGloss(QStringView gloss) {
    static const QRegularExpression formOf(
        QStringLiteral(R"(\b(form|spelling|plural|inflection|misspelling|romanization|)"
                       R"(participle|stem) of\s+[^\x{0000}-\x{007F}])"),
        QRegularExpression::CaseInsensitiveOption);
    return formOf.match(gloss).hasMatch();
}

QList<EnglishSense> englishSenses(QStringView gloss, bool verb, int *notEnglish) {
    QString g = wordlist::collapseSpaces(gloss.toString().simplified());
    QStringList labels;
    while (const auto note = takeLeadingNote(g)) {
        labels.append(*note);
    }

    QStringList pieces;
    for (QString part : splitOutsideBrackets(stripTrailingStop(g), u";")) {
        const qsizetype colon = part.indexOf(u':');
        if (colon > 0 && wordCount(QStringView(part).first(colon)) <= 5) {
            part.truncate(colon);
        }
        QStringList items = splitOutsideBrackets(part, u",");
        // "paradisiacal, of, or relating to, paradise": from the first item
        // that only continues a phrase, the rest is one description.
        QString description;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (continuesPhrase(items[i])) {
                description = QStringList(items.mid(i)).join(QStringLiteral(", "));
                items = items.first(i);
                break;
            }
        }
        bool allShort = true;
        for (const QString &item : items) {
            allShort = allShort && wordCount(removeLongNotes(item, 0)) <= 4;
        }
        if (allShort) {
            pieces.append(items);
        } else if (!items.isEmpty()) {
            pieces.append(items.join(QStringLiteral(", ")));
        }
        // A lone "etc" or "or" is no sense.
        if (wordCount(description) > 1) {
            pieces.append(description);
        }
    }

    QList<EnglishSense> senses;
    for (QString raw : pieces) {
        // A note in front of one piece ("(loosely) bridle") is that piece's label.
        QStringList pieceLabels = labels;
        while (const auto note = takeLeadingNote(raw)) {
            pieceLabels.append(*note);
        }
        const QString label = shortLabel(foldToAscii(pieceLabels.join(QStringLiteral(", "))));
        QString core = stripTrailingStop(removeLongNotes(raw, 32));
        if (verb && core.startsWith(QStringLiteral("to "), Qt::CaseInsensitive)) {
            core = core.mid(3);
        }
        core.replace(QStringLiteral(" - "), QStringLiteral(", "));
        core = capitaliseFirst(wordlist::collapseSpaces(foldToAscii(core)));
        if (core.isEmpty()) {
            continue;
        }
        if (!isPrintableAsciiText(core)) {
            if (notEnglish) {
                ++*notEnglish;
            }
            continue;
        }
        EnglishSense s;
        s.core = core;
        s.label = isPrintableAsciiText(label) ? label : QString();
        s.text = s.label.isEmpty() ? core : core + QStringLiteral(" (") + s.label + u')';
        senses.append(s);
    }
    return senses;
}

QString reversalKey(const EnglishSense &sense, bool name) {
    QString k = removeLongNotes(sense.core, 0);
    k.remove(QStringLiteral("()"));
    k = wordlist::collapseSpaces(k);
    if (k.contains(QStringLiteral("lit."), Qt::CaseInsensitive) ||
        k.contains(QStringLiteral("..")) || k.contains(u'(') || k.contains(u')')) {
        return {};
    }
    if (!name) {
        static const QRegularExpression article(QStringLiteral(R"(^(a|an|the) )"),
                                                QRegularExpression::CaseInsensitiveOption);
        k.remove(article);
    }
    if (wordCount(k) > 3) {
        return {};
    }
    return makeEnHeadword(k);
}

} // namespace vorlan::wordlists
