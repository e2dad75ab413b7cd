#include "wordlistrules.h"

#include <QtEndian>

namespace vorlan {

QString wordListName(WordList list) {
    switch (list) {
    case WordList::En:
        return QStringLiteral("EN");
    case WordList::En2Fa:
        return QStringLiteral("EN2FA");
    case WordList::Fa:
        return QStringLiteral("FA");
    case WordList::Fa2En:
        return QStringLiteral("FA2EN");
    }
    return {};
}

bool hasTrailingNul(WordList list) {
    return list != WordList::Fa2En;
}

namespace wordlist {

bool isPersianLetter(char16_t c) {
    if (c == 0x0622 || (c >= 0x0626 && c <= 0x0628) || (c >= 0x062A && c <= 0x063A)) {
        return true; // آ, ئ ا ب, ت .. غ
    }
    if ((c >= 0x0641 && c <= 0x0648) || c == 0x064A) {
        return true; // ف ق ك ل م ن ه و, ي
    }
    return c == 0x067E || c == 0x0686 || c == 0x0698 || c == 0x06AF; // پ چ ژ گ
}

bool isPrintableAscii(char16_t c) {
    return c >= 0x20 && c <= 0x7E;
}

bool containsPersianLetter(QStringView text) {
    for (QChar c : text) {
        if (isPersianLetter(c.unicode())) {
            return true;
        }
    }
    return false;
}

bool isEnHeadwordChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u' ' || c == u'-' ||
           c == u'\'' || c == u'(' || c == u')' || c == u'.' || c == u',';
}

bool isPersianTextChar(char16_t c) {
    return isPersianLetter(c) || isPrintableAscii(c);
}

const char *forbiddenPersianForm(char16_t c) {
    switch (c) {
    case 0x06CC:
        return "Farsi yeh U+06CC; yeh must be U+064A";
    case 0x0649:
        return "alef maksura U+0649; yeh must be U+064A";
    case 0x06A9:
        return "keheh U+06A9; kaf must be U+0643";
    case 0x0623:
    case 0x0625:
        return "alef with hamza; alef must be plain U+0627";
    case 0x0629:
        return "teh marbuta U+0629; it must be written as heh U+0647";
    case 0x0640:
        return "the tatweel U+0640";
    case 0x061F:
        return "the Arabic question mark U+061F";
    case 0x200C:
        return "ZERO WIDTH NON-JOINER U+200C; it must be a space";
    case 0x200F:
        return "RIGHT-TO-LEFT MARK U+200F";
    default:
        break;
    }
    if ((c >= 0x064B && c <= 0x0652) || c == 0x0670) {
        return "an Arabic vowel mark (U+064B..U+0652, U+0670)";
    }
    return nullptr;
}

namespace {

bool isDroppedMark(char16_t c) {
    return (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 ||
           (c >= 0x06D6 && c <= 0x06ED) || c == 0x0640;
}

bool isPresentationForm(char16_t c) {
    return (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFE);
}

// One character's replacement; u'\0' drops it, 0xFFFF means "not foldable".
char16_t foldPersianChar(char16_t c) {
    switch (c) {
    case 0x06CC:
    case 0x0649:
    case 0x06D0:
    case 0x06D2:
        return 0x064A;
    case 0x06A9:
    case 0x06AA:
        return 0x0643;
    case 0x0623:
    case 0x0625:
    case 0x0671:
    case 0x0672:
    case 0x0673:
        return 0x0627;
    case 0x0629:
    case 0x06C0:
    case 0x06C1:
    case 0x06BE:
    case 0x06D5:
        return 0x0647;
    case 0x0624:
        return 0x0648;
    case 0x200B:
    case 0x200C:
    case 0x00A0:
    case 0x2009:
    case u'\t':
        return u' ';
    case 0x200D:
    case 0x200E:
    case 0x200F:
    case 0x202A:
    case 0x202B:
    case 0x202C:
    case 0x202D:
    case 0x202E:
    case 0xFEFF:
        return 0;
    case 0x060C:
    case 0x066C:
        return u',';
    case 0x061B:
        return u';';
    case 0x061F:
        return u'?';
    case 0x066B:
        return u'.';
    case 0x00AB:
    case 0x00BB:
    case 0x201C:
    case 0x201D:
        return u'"';
    case 0x2018:
    case 0x2019:
        return u'\'';
    case 0x2013:
    case 0x2014:
        return u'-';
    default:
        break;
    }
    if (c >= 0x06F0 && c <= 0x06F9) {
        return u'0' + (c - 0x06F0);
    }
    if (c >= 0x0660 && c <= 0x0669) {
        return u'0' + (c - 0x0660);
    }
    if (isDroppedMark(c)) {
        return 0;
    }
    if (isPersianTextChar(c)) {
        return c;
    }
    return 0xFFFF;
}

} // namespace

QString collapseSpaces(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u' ' && (out.isEmpty() || out.back() == u' ')) {
            continue;
        }
        out.append(c);
    }
    if (!out.isEmpty() && out.back() == u' ') {
        out.chop(1);
    }
    return out;
}

QString withoutNotes(QStringView text) {
    QString out;
    int depth = 0;
    for (QChar c : text) {
        if (c == u'(') {
            ++depth;
        } else if (c == u')' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            out.append(c);
        }
    }
    return out;
}

std::optional<QString> normalisePersian(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (isPresentationForm(c)) {
            return std::nullopt;
        }
        if (c == 0x0621) {
            // Modern spelling drops the hamza after alef (امضاء → امضا); elsewhere
            // no letter of the 34 stands for it without changing the word.
            if (!out.isEmpty() && out.back() == QChar(0x0627)) {
                continue;
            }
            return std::nullopt;
        }
        const char16_t f = foldPersianChar(c);
        if (f == 0xFFFF) {
            return std::nullopt;
        }
        if (f != 0) {
            out.append(QChar(f));
        }
    }
    return collapseSpaces(out);
}

QString enSortKey(QStringView headword) {
    return headword.toString().toLower();
}

namespace {

// Weights in one space: every code unit c weighs 2c, and پ چ ژ گ weigh one more
// than the letter they follow.
int faWeight(char16_t c) {
    switch (c) {
    case 0x067E:
        return 2 * 0x0628 + 1;
    case 0x0686:
        return 2 * 0x062C + 1;
    case 0x0698:
        return 2 * 0x0632 + 1;
    case 0x06AF:
        return 2 * 0x0643 + 1;
    default:
        break;
    }
    if (c >= u'A' && c <= u'Z') {
        c = c - u'A' + u'a';
    }
    return 2 * int(c);
}

} // namespace

int compareFa(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    for (;;) {
        while (i < a.size() && a[i] == u'"') {
            ++i;
        }
        while (j < b.size() && b[j] == u'"') {
            ++j;
        }
        if (i == a.size() || j == b.size()) {
            break;
        }
        const int wa = faWeight(a[i].unicode());
        const int wb = faWeight(b[j].unicode());
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const bool aDone = i == a.size();
    const bool bDone = j == b.size();
    if (aDone != bDone) {
        return aDone ? -1 : 1;
    }
    return a.compare(b);
}

QByteArray encode(const QStringList &records, WordList list) {
    QString text = QChar(0xFEFF) + records.join(QStringLiteral("\r\n"));
    if (hasTrailingNul(list)) {
        text.append(QChar(0));
    }
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

} // namespace wordlist
} // namespace vorlan
