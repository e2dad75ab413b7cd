#include "clipboardwatch.h"

#include <QStringTokenizer>

namespace vorlan {

namespace {

QString trimSpaces(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ') {
        ++begin;
    }
    while (end > begin && text.at(end - 1) == u' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

} // namespace

bool isPersianFirstLetter(QChar ch) {
    // Farsi yeh is what Persian keyboards type; the letter list lacks it.
    if (ch == QChar(0x06CC)) {
        return true;
    }
    for (const QStringView letter : FaLetters.tokenize(u' ')) {
        if (letter.size() == 1 && letter.front() == ch) {
            return true;
        }
    }
    return false;
}

ClipWord takeClipWord(const QString &clipboardText) {
    ClipWord result;
    QString word = trimSpaces(clipboardText);
    const qsizetype space = word.indexOf(u' ');
    if (space >= 0) {
        word.truncate(space);
    }
    if (word.size() > ClipWordMaxLength) {
        word.truncate(ClipWordMaxLength);
    }
    if (!word.isEmpty()) {
        const QChar first = word.front().toLower();
        if (isPersianFirstLetter(first)) {
            result.language = ClipLanguage::Persian;
        } else if (first >= u'a' && first <= u'z') {
            result.language = ClipLanguage::English;
        }
    }
    result.word = word;
    return result;
}

} // namespace vorlan
