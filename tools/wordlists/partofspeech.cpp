#include "partofspeech.h"

#include <optional>

namespace vorlan::wordlists {

namespace {

// Neither source says whether a verb is transitive, except now and then in
// the English gloss. Next best is the Persian verb: its last word is one of a
// few verbs that never take an object (شدن "become", آمدن "come", رفتن "go",
// ...), or it is a causative in -اندن/-انيدن, which always does. Otherwise the
// verb is taken as transitive, the usual case in translation tables; كردن,
// دادن and زدن make both kinds, so they decide nothing.
std::optional<PartOfSpeech> persianTransitivity(QStringView persian) {
    static const QStringList intransitive = {
        QStringLiteral("شدن"),    QStringLiteral("گشتن"),    QStringLiteral("گرديدن"),
        QStringLiteral("آمدن"),   QStringLiteral("رفتن"),    QStringLiteral("بودن"),
        QStringLiteral("ماندن"),  QStringLiteral("افتادن"),  QStringLiteral("رسيدن"),
        QStringLiteral("نشستن"),  QStringLiteral("خوابيدن"), QStringLiteral("دويدن"),
        QStringLiteral("مردن"),   QStringLiteral("ايستادن"), QStringLiteral("خنديدن"),
        QStringLiteral("گريستن"), QStringLiteral("پريدن"),   QStringLiteral("زيستن"),
        QStringLiteral("روييدن"), QStringLiteral("لرزيدن"),  QStringLiteral("ترسيدن"),
        QStringLiteral("رقصيدن"), QStringLiteral("خزيدن"),   QStringLiteral("وزيدن"),
        QStringLiteral("باريدن")};
    const QStringView last = persian.sliced(persian.lastIndexOf(u' ') + 1);
    if (intransitive.contains(last)) {
        return PartOfSpeech::VerbI;
    }
    if (!persian.contains(u' ') && (last.endsWith(u"اندن") || last.endsWith(u"انيدن"))) {
        return PartOfSpeech::VerbT;
    }
    return std::nullopt;
}

PartOfSpeech verbPos(QStringView englishHint, const QStringList &persian) {
    if (englishHint.contains(u"intransitive", Qt::CaseInsensitive)) {
        return PartOfSpeech::VerbI;
    }
    if (englishHint.contains(u"transitive", Qt::CaseInsensitive)) {
        return PartOfSpeech::VerbT;
    }
    for (const QString &p : persian) {
        if (const auto m = persianTransitivity(p)) {
            return *m;
        }
    }
    return PartOfSpeech::VerbT;
}

} // namespace

QString markerText(PartOfSpeech pos) {
    switch (pos) {
    case PartOfSpeech::Noun:
        return QStringLiteral("(.n)");
    case PartOfSpeech::VerbT:
        return QStringLiteral("(.vt)");
    case PartOfSpeech::VerbI:
        return QStringLiteral("(.vi)");
    case PartOfSpeech::Adj:
        return QStringLiteral("(.adj)");
    case PartOfSpeech::Adv:
        return QStringLiteral("(.adv)");
    case PartOfSpeech::Pref:
        return QStringLiteral("(.pref)");
    case PartOfSpeech::None:
        break;
    }
    return {};
}

PartOfSpeech partOfSpeech(QStringView pos, QStringView englishHint, const QStringList &persian) {
    if (pos == u"n" || pos == u"noun" || pos == u"prop" || pos == u"name") {
        return PartOfSpeech::Noun;
    }
    if (pos == u"v" || pos == u"verb") {
        return verbPos(englishHint, persian);
    }
    if (pos == u"adj") {
        return PartOfSpeech::Adj;
    }
    if (pos == u"adv") {
        return PartOfSpeech::Adv;
    }
    if (pos == u"prefix") {
        return PartOfSpeech::Pref;
    }
    return PartOfSpeech::None;
}

} // namespace vorlan::wordlists
