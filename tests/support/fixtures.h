#pragma once

#include "resourceprovider.h"

#include <QByteArray>
#include <QStringList>

namespace vorlan::testing {

// The text's code units as UTF-16LE bytes, nothing added.
QByteArray utf16le(const QString &text);

// A word list in the built-in byte format: byte-order mark, UTF-16LE records
// joined by CR LF, and optionally one U+0000 after the last record.
QByteArray encodeWordList(const QStringList &records, bool trailingNul);

// Headwords and meanings, aligned line for line, for one dictionary.
struct FixtureLists {
    QStringList en;
    QStringList en2fa;
    QStringList fa;
    QStringList fa2en;
};

// The four texts as EN, EN2FA, FA (each with its trailing U+0000) and FA2EN
// (without), ready for a cDic.
void addDictionary(MemoryResourceProvider &provider, const FixtureLists &lists);

// A small dictionary with English and Persian headwords chosen to exercise
// case, wildcards, letter folding, hyphens in meanings, the last record, the
// cross lookup and the clipboard watcher.
FixtureLists smallDictionary();

} // namespace vorlan::testing
