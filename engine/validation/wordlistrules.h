#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The format of the four built-in word lists, shared by the converter that
// writes them, the validator that checks them and the tests.
namespace vorlan {

enum class WordList { En, En2Fa, Fa, Fa2En };

// "EN", "EN2FA", "FA" or "FA2EN": the resource type name and the file name.
QString wordListName(WordList list);

// Whether the text ends with one U+0000 after its last record.
bool hasTrailingNul(WordList list);

namespace wordlist {

inline constexpr qsizetype kMaxEnHeadword = 32;
inline constexpr qsizetype kMaxFaHeadword = 176;
inline constexpr qsizetype kMaxEn2FaMeaning = 325;
inline constexpr qsizetype kMaxFa2EnMeaning = 788;

// Between the senses of a meaning record.
inline constexpr QStringView kSenseSeparator = u" - ";

// The 34 letters the Persian text is written in: آ ئ ا ب پ ت ث ج چ ح خ د ذ ر ز ژ
// س ش ص ض ط ظ ع غ ف ق ك گ ل م ن ه و ي.
bool isPersianLetter(char16_t c);
bool isPrintableAscii(char16_t c); // U+0020..U+007E
bool containsPersianLetter(QStringView text);

// Letters, space, hyphen-minus, apostrophe, parentheses, full stop, comma.
bool isEnHeadwordChar(char16_t c);

// Persian headwords and Persian meanings: the 34 letters and printable ASCII
// (spaces, digits, punctuation and the odd Latin word).
bool isPersianTextChar(char16_t c);

// English meanings are printable ASCII only.
inline bool isEnglishTextChar(char16_t c) {
    return isPrintableAscii(c);
}

// Why a Persian letter form is not allowed in FA or EN2FA ("yeh must be
// U+064A"), or nullptr for a form that is not one of the forbidden ones.
const char *forbiddenPersianForm(char16_t c);

// Brings Persian text to the allowed letter forms: Farsi yeh and alef maksura
// to yeh U+064A, keheh to kaf U+0643, alef with hamza to alef, teh marbuta and
// heh variants to heh, waw with hamza to waw, hamza after alef dropped, marks
// and tatweel dropped, ZWNJ to a space, direction marks dropped, Persian and
// Arabic digits and punctuation to ASCII, then spaces collapsed and trimmed.
// Nothing when a character remains that is neither one of the 34 letters nor
// printable ASCII, or when the text uses presentation forms (such text has
// come out of a visual-order PDF or web page and cannot be trusted).
std::optional<QString> normalisePersian(QStringView text);

// The text without its parenthesised notes, nested ones included; a stray
// ")" is dropped with them.
QString withoutNotes(QStringView text);

// Runs of U+0020 made one, and none at either end.
QString collapseSpaces(QStringView text);

// EN is ordered by the code units of the lower-cased headword.
QString enSortKey(QStringView headword);

// The order of FA: code units, except that پ چ ژ گ follow ب ج ز ك, Latin letters
// compare without regard to case and '"' is ignored; texts equal under those
// rules fall back to plain code-unit order so that the order is total.
int compareFa(QStringView a, QStringView b);
inline bool faLess(QStringView a, QStringView b) {
    return compareFa(a, b) < 0;
}

// The bytes of one list: FF FE, the records as UTF-16LE joined by CR LF, and
// U+0000 after the last record where the list has one.
QByteArray encode(const QStringList &records, WordList list);

} // namespace wordlist
} // namespace vorlan
