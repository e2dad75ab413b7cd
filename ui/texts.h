#pragma once

#include <QString>

namespace vorlan::texts {

// Window titles of the two panes: English to Persian, Persian to English.
inline const QString kTitleEnglishPane = QStringLiteral(u"فرهنگ لغت ورلان - انگليسي به فارسي");
inline const QString kTitlePersianPane = QStringLiteral(u"فرهنگ لغت ورلان - فارسي به انگليسي");
// "Exact match"
inline const QString kExactMatch = QStringLiteral(u"تطبيق دقيق");
// "Word catcher": watch the clipboard.
inline const QString kClipboardWatch = QStringLiteral(u"شكار كلمه");
// "Window always in view": tool tip of the pin.
inline const QString kPinToolTip = QStringLiteral(u"پنجره هميشه در ديد");

inline const QString kEnglishCaption = QStringLiteral(u"En");
inline const QString kPersianCaption = QStringLiteral(u"Fa");

} // namespace vorlan::texts
