#include "clipboardwatch.h"

#include "folding.h"

#include <QStringTokenizer>

namespace vorlan {

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
    QString word = trimSpaces(clipboardText).toString();
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
