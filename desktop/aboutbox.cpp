#include "aboutbox.h"

namespace vorlan {

QString aboutMessage() {
    const QString crlf = QStringLiteral("\r\n");
    QString message = QString::fromUtf16(u"\u0641\u0631\u0647\u0646\u06AF \u0644\u063A\u062A "
                                         u"\u062F\u0648 \u0632\u0628\u0627\u0646\u0647 "
                                         u"\u0648\u0631\u0644\u0627\u0646");
    message += crlf;
    message += QString::fromUtf16(u"\u0648\u064A\u0631\u0627\u064A\u0634 ") +
               QStringLiteral(VORLAN_VERSION);
    message += crlf + crlf;
    message += QString::fromUtf16(u"\u0643\u0627\u0631\u064A \u0627\u0632 \u06AF\u0631\u0648\u0647 "
                                  u"\u0646\u0631\u0645 \u0627\u0641\u0632\u0627\u0631\u064A "
                                  u"\u0631\u0627\u0645\u062A\u0648");
    message += crlf + crlf;
    message += QString(25, u'_');
    message += crlf;
    message += u'\t';
    message += AboutWebAddress;
    return message;
}

QString aboutTitle() {
    return QString::fromUtf16(u"\u062F\u0631\u0628\u0627\u0647 \u0646\u0631\u0645 "
                              u"\u0627\u0641\u0632\u0627\u0631");
}

void showAboutBox(MessageBoxService &messageBox, QWidget *parent) {
    messageBox.messageBox(parent, aboutMessage(), aboutTitle(), AboutStyle);
}

} // namespace vorlan
