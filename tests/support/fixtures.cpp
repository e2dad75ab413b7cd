#include "fixtures.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace vorlan::testing {

QByteArray utf16le(const QString &text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QByteArray encodeWordList(const QStringList &records, bool trailingNul) {
    return utf16le(QChar(0xFEFF) + records.join(u"\r\n"_s) + (trailingNul ? u"\0"_s : u""_s));
}

void addDictionary(MemoryResourceProvider &provider, const FixtureLists &lists) {
    provider.add(u"EN"_s, encodeWordList(lists.en, true));
    provider.add(u"EN2FA"_s, encodeWordList(lists.en2fa, true));
    provider.add(u"FA"_s, encodeWordList(lists.fa, true));
    provider.add(u"FA2EN"_s, encodeWordList(lists.fa2en, false));
}

FixtureLists smallDictionary() {
    const std::pair<QString, QString> english[] = {
        {u"A"_s, u"حرف اول الفباي - حرف اضافه مثبت"_s},
        {u"A La Carte"_s, u"به انتخاب"_s},
        {u"Aardwolf"_s, u"كفتار"_s},
        {u"Aba"_s, u"عبا"_s},
        {u"Abacus"_s, u"چرتكه"_s},
        {u"Ablate"_s, u"فرسودن - خوردن"_s},
        {u"Apple"_s, u"سيب"_s},
        {u"Bar"_s, u"ميله - نوار"_s},
        {u"Book"_s, u"كتاب - دفتر"_s},
        {u"Bookcase"_s, u"قفسه كتاب"_s},
        {u"Cross-eyed"_s, u"لوچ - دو-بين"_s},
        {u"Hello"_s, u"سلام"_s},
        {u"Lab"_s, u"آزمايشگاه"_s},
        {u"Star"_s, u"ستاره"_s},
        {u"Zymosthenic"_s, u"تخمير افزا"_s},
    };
    const std::pair<QString, QString> persian[] = {
        {u"آب"_s, u"Water - Aqueous - Bree"_s},
        {u"آب آورد"_s, u"Flotsam"_s},
        {u"آتش نشاني"_s, u"Fire-fighting"_s},
        {u"آفتابي"_s, u"Sunny"_s},
        {u"آفتابي كردن"_s, u"Sun - Expose to the sun"_s},
        {u"ستاره"_s, u"Star"_s},
        {u"كتاب"_s, u"Book - Volume"_s},
        {u"كتابخانه"_s, u"Library"_s},
        {u"يك"_s, u"One"_s},
        {u"ييلاقات"_s, u"Countryside"_s},
    };
    FixtureLists d;
    for (const auto &[word, meaning] : english) {
        d.en << word;
        d.en2fa << meaning;
    }
    for (const auto &[word, meaning] : persian) {
        d.fa << word;
        d.fa2en << meaning;
    }
    return d;
}

} // namespace vorlan::testing
