#pragma once

#include <QFont>

namespace vorlan {

// Text boxes, lists and check boxes: Tahoma 8.25 pt where it is installed and
// draws Persian, otherwise a face that has every Persian letter.
QFont dialogFont();

// True when `font` itself (not a fallback) has a glyph for every character
// of `text` other than white space.
bool fontDrawsText(const QFont &font, const QString &text);

// The height of a line of `font` that holds the whole of every glyph the
// window shows: the font's line height, grown evenly at both ends where a
// mark (the madda of آ, a hamza) reaches beyond its ascent or descent.
int wholeGlyphLineHeight(const QFont &font);

// Webdings 12 pt when installed; the speak button draws its own speaker
// otherwise.
bool hasWebdings();
QFont webdingsFont();

} // namespace vorlan
