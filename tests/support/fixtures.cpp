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

FixtureLists smallDictionary() {
    FixtureLists d;
    const QList<std::pair<QString, QString>> en = {
        {u"A"_s, u"حرف اول الفباي - حرف اضافه مثبت"_s},
        {u"A La Carte"_s, u"به انتخاب"_s},
        {u"Aardwolf"_s, u"كفتار"_s},
        {u"Aba"_s, u"عبا"_s},
        {u"Abacus"_s, u"چرتكه"_s},
        {u"Ablate"_s, u"فرسودن - خوردن"_s},
        {u"Bar"_s, u"ميله - نوار"_s},
        {u"Cross-eyed"_s, u"لوچ - دو-بين"_s},
        {u"Lab"_s, u"آزمايشگاه"_s},
        {u"Zymosthenic"_s, u"تخمير افزا"_s},
    };
    for (const auto &[w, m] : en) {
        d.en << w;
        d.en2fa << m;
    }
    const QList<std::pair<QString, QString>> fa = {
        {u"آب"_s, u"Water - Aqueous - Bree"_s},
        {u"آب آورد"_s, u"Flotsam"_s},
        {u"آتش نشاني"_s, u"Fire-fighting"_s},
        {u"آفتابي"_s, u"Sunny"_s},
        {u"آفتابي كردن"_s, u"Sun - Expose to the sun"_s},
        {u"كتاب"_s, u"Book"_s},
        {u"كتابخانه"_s, u"Library"_s},
        {u"يك"_s, u"One"_s},
        {u"ييلاقات"_s, u"Countryside"_s},
    };
    for (const auto &[w, m] : fa) {
        d.fa << w;
        d.fa2en << m;
    }
    return d;
}

} // namespace vorlan::testing
