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
    return s;
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
