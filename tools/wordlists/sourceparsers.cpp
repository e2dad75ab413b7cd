#include "sourceparsers.h"

#include "wordlistrules.h"

#include <QHash>
#include <QRegularExpression>

namespace vorlan::wordlists {

QStringList splitOutsideBrackets(QStringView text, QStringView separators) {
    QStringList parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'(' || c == u'[') {
            ++depth;
        } else if ((c == u')' || c == u']') && depth > 0) {
            --depth;
        } else if (depth == 0 && separators.contains(c)) {
            parts.append(text.sliced(start, i - start).trimmed().toString());
            start = i + 1;
        }
    }
    parts.append(text.sliced(start).trimmed().toString());
    return parts;
}

namespace {

// A label written as English text before the word, "religious: سلام عليكم";
// naming the language itself ("Persian: قبله") says nothing.
void takeTextLabel(TranslationItem &item) {
    static const QRegularExpression label(QStringLiteral(R"(^([A-Za-z][A-Za-z ,]*):\s*(.*)$)"));
    const auto m = label.match(item.text);
    if (!m.hasMatch()) {
        return;
    }
    const QString name = m.captured(1).trimmed();
    static const QStringList language = {QStringLiteral("persian"), QStringLiteral("farsi"),
                                         QStringLiteral("iranian")};
    if (!language.contains(name.toLower())) {
        item.qualifiers.append(name);
    }
    item.text = m.captured(2).trimmed();
}

// What is left of a torn transliteration after the Persian word:
// "روانپزشكي ravan-pezeshki", "خونه خودته -ye". One word only, after text
// without Latin letters: English words in a row ("+ imperfective verb
// form") are an explanation, which the cleaning drops whole. Capitals stay:
// "قرص X".
QString withoutTrailingLatin(QString s) {
    static const QRegularExpression tail(QStringLiteral(R"(\s+-?[a-z][a-z'-]*$)"));
    static const QRegularExpression latin(QStringLiteral(R"([A-Za-z])"));
    const auto m = tail.match(s);
    if (m.hasMatch() && wordlist::containsPersianLetter(s.left(m.capturedStart())) &&
        !latin.match(s.left(m.capturedStart())).hasMatch()) {
        s.truncate(m.capturedStart());
    }
    return s;
}

TranslationItem makeItem(QString s, QStringList qualifiers) {
    static const QRegularExpression tag(QStringLiteral(R"(\{[^}]*\})"));
    s.remove(tag);
    static const QRegularExpression translit(QStringLiteral(R"(/[^/]*/)"));
    s.remove(translit);
    // A transliteration torn by a comma inside it leaves one slash: what
    // follows it is Latin transliteration, not Persian.
    if (const qsizetype slash = s.indexOf(u'/'); slash >= 0) {
        s.truncate(slash);
    }
    s.remove(QChar(0x2026));
    // A tatweel at a word's edge writes an affix ("ـم" for "my"), which the
    // letter normalisation would hide; it is spelt as the hyphen it stands for.
    static const QRegularExpression tatweel(
        QStringLiteral(R"((?<=^|\s)\x{0640}+|\x{0640}+(?=$|\s))"));
    s.replace(tatweel, QStringLiteral("-"));
    TranslationItem item{s.simplified(), std::move(qualifiers)};
    takeTextLabel(item);
    item.text = withoutTrailingLatin(item.text);
    return item;
}

// One comma-separated piece. Qualifiers in brackets stand before the word
// they govern ("[colloquial] یه کمی") or after the last one ("شُما [polite]");
// one between two words ("ترا [polite] شما را") starts a new translation.
QList<TranslationItem> parseItems(QStringView s) {
    static const QRegularExpression qualifier(QStringLiteral(R"(\[([^\]]*)\])"));
    QList<TranslationItem> items;
    QStringList pending;
    qsizetype at = 0;
    auto takeText = [&](QStringView text) {
        if (text.trimmed().isEmpty()) {
            return;
        }
        items.append(makeItem(text.toString(), pending));
        pending.clear();
    };
    for (auto it = qualifier.globalMatch(s); it.hasNext();) {
        const auto m = it.next();
        takeText(s.sliced(at, m.capturedStart() - at));
        if (const QString q = m.captured(1).trimmed(); !q.isEmpty()) {
            pending.append(q);
        }
        at = m.capturedEnd();
    }
    takeText(s.sliced(at));
    if (!pending.isEmpty() && !items.isEmpty()) {
        items.back().qualifiers.append(pending);
    }
    return items;
}

} // namespace

std::optional<TranslationLine> parseTranslationLine(QStringView line) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^(.+?) \{([^}]+)\}(?: \((.*)\))? :: (.*)$)"));
    const auto m = shape.match(line);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    TranslationLine t;
    t.headword = m.captured(1).trimmed();
    t.pos = m.captured(2).trimmed();
    t.gloss = m.captured(3).trimmed();
    // Transliterations go before the split: a few lines have them garbled
    // into "/shirin) (1/", whose parentheses would hide the comma after them,
    // or torn as in "/jenāza/e" or "/moqâyase/moqâyese kardan/", whose tail
    // would stick to the Persian word.
    static const QRegularExpression translit(QStringLiteral(R"(/[^/,]*/\p{Latin}*)"));
    const QString translations = m.captured(4).remove(translit);
    for (const QString &raw : splitOutsideBrackets(translations, u",;\u060C\u061B\u066C")) {
        for (const TranslationItem &item : parseItems(raw)) {
            if (!item.text.isEmpty()) {
                t.items.append(item);
            }
        }
    }
    if (t.headword.isEmpty() || t.items.isEmpty()) {
        return std::nullopt;
    }
    return t;
}

std::optional<WiktextractEntry> parseWiktextractLine(QStringView line) {
    const qsizetype tab = line.indexOf(u'\t');
    if (tab <= 0) {
        return std::nullopt;
    }
    WiktextractEntry e;
    const QStringList keys = line.first(tab).toString().split(u'|');
    e.lemma = keys.front().trimmed();
    e.otherKeys = keys.mid(1);
    if (e.lemma.isEmpty()) {
        return std::nullopt;
    }
    const QStringView html = line.sliced(tab + 1);
    static const QRegularExpression block(
        QStringLiteral(R"(<i>(.*?)</i>\s*(?:<br>)?\s*<ol>(.*?)</ol>)"));
    static const QRegularExpression item(QStringLiteral(R"(<li>(.*?)</li>)"));
    for (auto it = block.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        PosBlock b;
        b.pos = m.captured(1).trimmed();
        const QString items = m.captured(2);
        for (auto li = item.globalMatch(items); li.hasNext();) {
            b.glosses.append(li.next().captured(1));
        }
        if (!b.glosses.isEmpty()) {
            e.blocks.append(b);
        }
    }
    if (e.blocks.isEmpty()) {
        return std::nullopt;
    }
    return e;
}

std::optional<QString> decodeHtmlText(QStringView html) {
    static const QHash<QString, char16_t> named = {
        {QStringLiteral("amp"), u'&'},      {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},       {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''},    {QStringLiteral("nbsp"), u' '},
        {QStringLiteral("ndash"), u'-'},    {QStringLiteral("mdash"), u'-'},
        {QStringLiteral("lsquo"), u'\''},   {QStringLiteral("rsquo"), u'\''},
        {QStringLiteral("ldquo"), u'"'},    {QStringLiteral("rdquo"), u'"'},
        {QStringLiteral("hellip"), 0x2026},
    };
    QString out;
    out.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype close = html.indexOf(u'>', i);
            if (close < 0) {
                return std::nullopt;
            }
            i = close;
            continue;
        }
        if (c != u'&') {
            out.append(c);
            continue;
        }
        const qsizetype semi = html.indexOf(u';', i);
        if (semi < 0 || semi - i > 10) {
            // A bare ampersand ("A & E"), not an entity.
            out.append(c);
            continue;
        }
        const QStringView name = html.sliced(i + 1, semi - i - 1);
        if (name.isEmpty() || name.contains(u' ')) {
            out.append(c);
            continue;
        }
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(u"#x", Qt::CaseInsensitive)
                                  ? name.sliced(2).toUInt(&ok, 16)
                                  : name.sliced(1).toUInt(&ok, 10);
            if (!ok || code == 0 || code > 0x10FFFF) {
                return std::nullopt;
            }
            out.append(QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1));
        } else {
            const auto it = named.find(name.toString());
            if (it == named.end()) {
                return std::nullopt;
            }
            out.append(QChar(*it));
        }
        i = semi;
    }
    return out;
}

QList<QStringList> tableRows(const QString &text) {
    QList<QStringList> rows;
    for (const QString &raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#')) {
            rows.append(line.split(u'\t'));
        }
    }
    return rows;
}

} // namespace vorlan::wordlists
