#include "fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QRawFont>

#include <algorithm>

namespace vorlan {

namespace {

constexpr double kDialogPointSize = 8.25;

// What the window shows: the letters of the Persian word lists, the other
// forms a user may type or copy, and Latin text, digits and punctuation.
const QString &sampleText() {
    static const QString sample = QStringLiteral(
        u"\u0622\u0626\u0627\u0628\u067E\u062A\u062B\u062C\u0686\u062D\u062E\u062F\u0630"
        u"\u0631\u0632\u0698\u0633\u0634\u0635\u0636\u0637\u0638\u0639\u063A\u0641\u0642"
        u"\u0643\u06AF\u0644\u0645\u0646\u0647\u0648\u064A"
        u"\u0621\u0623\u0624\u0625\u0629\u0649\u06A9\u06CC\u061F\u060C"
        u"ABCXYZabcxyz0123456789.,;:'\"()[]-_*#?!");
    return sample;
}

} // namespace

bool fontDrawsText(const QFont &font, const QString &text) {
    const QRawFont raw = QRawFont::fromFont(font, QFontDatabase::Arabic);
    if (!raw.isValid()) {
        return false;
    }
    for (QChar c : text) {
        if (c.isSpace() || c.isSurrogate() || c.category() == QChar::Other_Format) {
            continue;
        }
        if (!raw.supportsCharacter(c)) {
            return false;
        }
    }
    return true;
}

QFont dialogFont() {
    static const QFont font = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString &family :
             {QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
              QStringLiteral("Noto Sans Arabic"), QStringLiteral("Noto Sans")}) {
            if (!installed.contains(family)) {
                continue;
            }
            QFont f(family);
            f.setPointSizeF(kDialogPointSize);
            f.setWeight(QFont::Normal);
            if (fontDrawsText(f, sampleText())) {
                return f;
            }
        }
        QFont f;
        f.setPointSizeF(kDialogPointSize);
        return f;
    }();
    return font;
}

int wholeGlyphLineHeight(const QFont &font) {
    const QFontMetrics metrics(font);
    // Rows relative to the baseline; the line holds -ascent to descent - 1.
    const QRect ink = metrics.tightBoundingRect(sampleText());
    const int above = -ink.top() - metrics.ascent();
    const int below = ink.bottom() - (metrics.descent() - 1);
    return metrics.height() + 2 * std::max({0, above, below});
}

bool hasWebdings() {
    return QFontDatabase::families().contains(QStringLiteral("Webdings"));
}

QFont webdingsFont() {
    QFont f(QStringLiteral("Webdings"));
    f.setPointSize(12);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace vorlan
