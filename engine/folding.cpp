#include "folding.h"

namespace vorlan {

QString foldQuery(const QString &text) {
    QString s = text;
    s.replace(u'?', u'\u061F');
    s.replace(u'\u06A9', u'\u0643');
    s.replace(QChar(u'\u0649'), QStringLiteral(u"\u064A "));
    s.replace(kAnsiCode254, u' ');
    s.replace(u'\u06CC', u'\u064A');
    s.replace(u'\u200C', u' ');
    QString out;
    out.reserve(s.size());
    for (QChar c : std::as_const(s)) {
        if (c == QChar(0x0621)) {
            // A lone hamza after a consonant is written و today (جزء, جزو);
            // after a long vowel it is dropped (شیء, امضاء).
            const QChar before = out.isEmpty() ? QChar() : out.back();
            if (before.unicode() >= 0x0628 && before != QChar(0x0648) && before != QChar(0x064A)) {
                out.append(QChar(0x0648));
            }
        } else if (!isDroppedInSearch(c.unicode())) {
            out.append(QChar(foldLetter(c.unicode())));
        }
    }
    return out;
}

char16_t foldLetter(char16_t c) {
    switch (c) {
    case 0x0623:
    case 0x0625:
    case 0x0626:
    case 0x0671:
        return 0x0627;
    case 0x0624:
        return 0x0648;
    case 0x06CC:
        return 0x064A;
    case 0x0629:
        return 0x0647;
    case 0x06A9:
        return 0x0643;
    default:
        return c;
    }
}

bool isDroppedInSearch(char16_t c) {
    return (c >= 0x064B && c <= 0x0652) || c == 0x0670 || c == 0x0640;
}

bool looseAlef(QStringView folded) {
    return !folded.contains(QChar(0x0622));
}

QString foldQueryForSearch(const QString &text) {
    return foldQuery(text).toLower();
}

QStringView trimSpaces(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ') {
        ++b;
    }
    while (e > b && text[e - 1] == u' ') {
        --e;
    }
    return text.sliced(b, e - b);
}

QString probe(QStringView query) {
    QString s;
    s.reserve(query.size());
    for (QChar c : query) {
        if (c != u'*' && c != u'?') {
            s.append(c);
        }
    }
    return trimSpaces(s).toString();
}

bool isSearchable(QStringView query) {
    return probe(query).size() >= 2;
}

QString foldArabicMarks(QStringView text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x064B && u <= 0x0652) {
            continue;
        }
        if (u == 0x0625 || u == 0x0623 || u == 0x0622) {
            s.append(QChar(0x0627));
        } else if (u == 0x0629) {
            s.append(QChar(0x0647));
        } else {
            s.append(c);
        }
    }
    return s;
}

} // namespace vorlan
