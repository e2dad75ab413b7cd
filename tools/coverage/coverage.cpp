#include "coverage.h"

#include "folding.h"
#include "pattern.h"
#include "wordlistrules.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <random>

using namespace Qt::StringLiterals;

namespace vorlan::coverage {

QString languageName(Language language) {
    return language == Language::English ? QStringLiteral("English") : QStringLiteral("Persian");
}

QString Side::visible(int index) const {
    const QString &record = headwords.at(index);
    const qsizetype nul = record.indexOf(QChar(0));
    return nul < 0 ? record : record.left(nul);
}

namespace {

std::optional<QStringList> readRecords(const QString &path, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || uchar(bytes[0]) != 0xFF ||
        uchar(bytes[1]) != 0xFE) {
        *error = QStringLiteral("%1 is not UTF-16LE text with a byte-order mark").arg(path);
        return std::nullopt;
    }
    QString text(bytes.size() / 2 - 1, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData() + 2, text.size(), text.data());
    return text.split(QStringLiteral("\r\n"));
}

std::optional<Side> readSide(const QString &dir, const QString &words, const QString &meanings,
                             QString *error) {
    auto w = readRecords(dir + u'/' + words, error);
    if (!w) {
        return std::nullopt;
    }
    auto m = readRecords(dir + u'/' + meanings, error);
    if (!m) {
        return std::nullopt;
    }
    if (w->size() != m->size()) {
        *error = QStringLiteral("%1 has %2 records but %3 has %4")
                     .arg(words)
                     .arg(w->size())
                     .arg(meanings)
                     .arg(m->size());
        return std::nullopt;
    }
    Side side;
    side.headwords = std::move(*w);
    side.meanings = std::move(*m);
    for (QString &meaning : side.meanings) {
        meaning.remove(QChar(0));
    }
    return side;
}

} // namespace

std::optional<Lists> readLists(const QString &dir, QString *error) {
    auto english = readSide(dir, QStringLiteral("EN"), QStringLiteral("EN2FA"), error);
    if (!english) {
        return std::nullopt;
    }
    auto persian = readSide(dir, QStringLiteral("FA"), QStringLiteral("FA2EN"), error);
    if (!persian) {
        return std::nullopt;
    }
    return Lists{std::move(*english), std::move(*persian)};
}

namespace {

// A side as its two resources hold it: UTF-16LE with a byte-order mark,
// records joined by CR LF.
QByteArray resourceBytes(const QStringList &records) {
    const QString text = QChar(0xFEFF) + records.join(u"\r\n"_s);
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

} // namespace

RowFinder::RowFinder(const Lists &lists, Language language) : language_(language) {
    provider_.add(u"EN"_s, resourceBytes(lists.english.headwords));
    provider_.add(u"EN2FA"_s, resourceBytes(lists.english.meanings));
    provider_.add(u"FA"_s, resourceBytes(lists.persian.headwords));
    provider_.add(u"FA2EN"_s, resourceBytes(lists.persian.meanings));
    dic_ = std::make_unique<cDic>(provider_);
}

int RowFinder::find(const QString &typed) const {
    return dic_->Lookup(language_, typed, false).selectedRecord();
}

namespace {

bool isEnglishLetter(QChar c) {
    return c >= u'a' && c <= u'z';
}

bool isArabicBlockLetter(QChar c) {
    return c.unicode() >= 0x0600 && c.unicode() <= 0x06FF && c.isLetter();
}

} // namespace

bool isCountedWord(QStringView word, Language language) {
    int letters = 0;
    for (QChar c : word) {
        if (language == Language::English ? isEnglishLetter(c) : isArabicBlockLetter(c)) {
            ++letters;
        } else if (language == Language::English ||
                   (c != QChar(0x200C) && !isDroppedInSearch(c.unicode()))) {
            return false; // a joiner, a mark or a lone hamza is typed, but no letter
        }
    }
    return letters >= 2;
}

std::optional<QStringList> readFrequencyList(const QString &path, Language language,
                                             QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QStringList words;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QString word = line.section(u' ', 0, 0);
        if (isCountedWord(word, language)) {
            words.append(word);
        }
    }
    return words;
}

QString contractionOf(QStringView word) {
    static const QStringList halves = {
        u"ain"_s,     u"aren"_s, u"can"_s,   u"couldn"_s, u"didn"_s,  u"doesn"_s, u"don"_s,
        u"hadn"_s,    u"hasn"_s, u"haven"_s, u"isn"_s,    u"mustn"_s, u"needn"_s, u"shan"_s,
        u"shouldn"_s, u"wasn"_s, u"weren"_s, u"won"_s,    u"wouldn"_s};
    return halves.contains(word) ? word.toString() + u"'t"_s : QString();
}

Figure measureCoverage(const QStringList &words, int top, const RowFinder &finder) {
    Figure figure;
    figure.considered = int(std::min<qsizetype>(top, words.size()));
    for (int i = 0; i < figure.considered; ++i) {
        const QString contraction = contractionOf(words[i]);
        if (finder.find(words[i]) >= 0 ||
            (!contraction.isEmpty() && finder.find(contraction) >= 0)) {
            ++figure.found;
        } else {
            figure.missing.append(words[i]);
        }
    }
    return figure;
}

std::optional<std::vector<KnownAnswer>> parseKnownAnswers(QStringView text, QString *error) {
    std::vector<KnownAnswer> answers;
    int lineNo = 0;
    for (QStringView line : text.split(u'\n')) {
        ++lineNo;
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const auto fail = [&](const QString &why) {
            *error = QStringLiteral("line %1: %2").arg(lineNo).arg(why);
            return std::nullopt;
        };
        const QList<QStringView> fields = line.split(u'\t');
        if (fields.size() != 3) {
            return fail(QStringLiteral("not three tab-separated fields"));
        }
        KnownAnswer answer;
        answer.line = lineNo;
        if (fields[0] == u"en") {
            answer.from = Language::English;
        } else if (fields[0] == u"fa") {
            answer.from = Language::Persian;
        } else {
            return fail(QStringLiteral("direction must be en or fa"));
        }
        answer.typed = fields[1].trimmed().toString();
        if (answer.typed.isEmpty()) {
            return fail(QStringLiteral("no word"));
        }
        for (QStringView alt : fields[2].split(u'|')) {
            alt = alt.trimmed();
            if (alt.isEmpty()) {
                return fail(QStringLiteral("an empty translation"));
            }
            if (answer.from == Language::English) {
                const auto persian = wordlist::normalisePersian(alt);
                if (!persian || !wordlist::containsPersianLetter(*persian)) {
                    return fail(QStringLiteral("translation of an English word is not Persian"));
                }
                answer.accepted.append(*persian);
            } else {
                if (wordlist::containsPersianLetter(alt)) {
                    return fail(QStringLiteral("translation of a Persian word is not English"));
                }
                answer.accepted.append(alt.toString());
            }
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

// Persian compounds are written joined, with a joiner or with a space
// (سهامدار, سهام‌دار, سهام دار): the check takes them as one spelling.
namespace {
QString withoutGaps(QString text) {
    return text.remove(u' ').remove(QChar(0x200C));
}
} // namespace

bool meaningHolds(QStringView meaning, QStringView translation) {
    const QString wanted = withoutGaps(translation.trimmed().toString());
    for (QStringView sense : meaning.split(wordlist::kSenseSeparator)) {
        QString core = wordlist::withoutNotes(sense);
        if (const qsizetype colon = core.lastIndexOf(u':'); colon >= 0) {
            core = core.mid(colon + 1);
        }
        static const QString separators = QStringLiteral(",;\u060C\u061B");
        qsizetype start = 0;
        for (qsizetype i = 0; i <= core.size(); ++i) {
            if (i == core.size() || separators.contains(core[i])) {
                const QString piece = withoutGaps(core.mid(start, i - start));
                if (piece.compare(wanted, Qt::CaseInsensitive) == 0) {
                    return true;
                }
                start = i + 1;
            }
        }
    }
    return false;
}

std::vector<KnownAnswerResult> checkKnownAnswers(const std::vector<KnownAnswer> &answers,
                                                 const Lists &lists, const RowFinder &english,
                                                 const RowFinder &persian) {
    std::vector<KnownAnswerResult> results;
    results.reserve(answers.size());
    for (const KnownAnswer &answer : answers) {
        KnownAnswerResult r;
        r.answer = &answer;
        const bool en = answer.from == Language::English;
        r.record = (en ? english : persian).find(answer.typed);
        if (r.record >= 0) {
            const QString &meaning = lists.side(answer.from).meanings.at(r.record);
            r.passed = std::any_of(answer.accepted.begin(), answer.accepted.end(),
                                   [&](const QString &t) { return meaningHolds(meaning, t); });
        }
        results.push_back(r);
    }
    return results;
}

int topSize(Measure measure) {
    switch (measure) {
    case Measure::Top1000:
        return 1000;
    case Measure::Top5000:
        return 5000;
    case Measure::Top20000:
        return 20000;
    case Measure::KnownAnswers:
        break;
    }
    return 0;
}

std::vector<int> sampleRecords(int records, int count, uint32_t seed) {
    // Selection sampling (Knuth's algorithm S) over the raw output of a
    // fixed generator, so a seed gives the same records on every platform.
    std::mt19937 gen(seed);
    std::vector<int> chosen;
    if (records <= 0 || count <= 0) {
        return chosen;
    }
    count = std::min(count, records);
    chosen.reserve(std::size_t(count));
    for (int i = 0; i < records && int(chosen.size()) < count; ++i) {
        const double u = double(gen()) / 4294967296.0; // [0, 1)
        if ((records - i) * u < count - int(chosen.size())) {
            chosen.push_back(i);
        }
    }
    return chosen;
}

} // namespace vorlan::coverage
