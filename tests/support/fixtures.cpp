#include "fixtures.h"

#include <QtEndian>

using namespace Qt::StringLiterals;

namespace vorlan::testing {

QByteArray encodeWordList(const QStringList &records, bool trailingNul) {
    QString text = QChar(0xFEFF) + records.join(QStringLiteral("\r\n"));
    if (trailingNul) {
        text.append(QChar(0));
    }
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

void addDictionary(MemoryResourceProvider &provider, const FixtureLists &lists) {
    provider.add(QStringLiteral("EN"), encodeWordList(lists.en, true));
    provider.add(QStringLiteral("EN2FA"), encodeWordList(lists.en2fa, true));
    provider.add(QStringLiteral("FA"), encodeWordList(lists.fa, true));
    provider.add(QStringLiteral("FA2EN"), encodeWordList(lists.fa2en, false));
}

namespace {
void addPairs(QStringList &words, QStringList &meanings,
              std::initializer_list<std::pair<QString, QString>> pairs) {
    for (const auto &[word, meaning] : pairs) {
        words << word;
        meanings << meaning;
    }
}
} // namespace

FixtureLists smallDictionary() {
    FixtureLists d;
    addPairs(d.en, d.en2fa,
             {{u"A"_s, u"حرف اول الفباي - حرف اضافه مثبت"_s},
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
              {u"Zymosthenic"_s, u"تخمير افزا"_s}});
    addPairs(d.fa, d.fa2en,
             {{u"آب"_s, u"Water - Aqueous - Bree"_s},
              {u"آب آورد"_s, u"Flotsam"_s},
              {u"آتش نشاني"_s, u"Fire-fighting"_s},
              {u"آفتابي"_s, u"Sunny"_s},
              {u"آفتابي كردن"_s, u"Sun - Expose to the sun"_s},
              {u"ستاره"_s, u"Star"_s},
              {u"كتاب"_s, u"Book - Volume"_s},
              {u"كتابخانه"_s, u"Library"_s},
              {u"يك"_s, u"One"_s},
              {u"ييلاقات"_s, u"Countryside"_s}});
    return d;
}

} // namespace vorlan::testing
