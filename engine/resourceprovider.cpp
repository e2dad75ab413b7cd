#include "resourceprovider.h"

#include <QDir>
#include <QResource>

namespace vorlan {

namespace {
QString memoryKey(const QString &typeName, int id) {
    return typeName.toUpper() + u'/' + QString::number(id);
}
} // namespace

const ResourceProvider &ResourceProvider::builtIn() {
    static const QtResourceProvider provider;
    return provider;
}

QtResourceProvider::QtResourceProvider(QString root) : root_(std::move(root)) {}

std::optional<QByteArray> QtResourceProvider::fetch(const QString &typeName, int id) const {
    if (id != 1 || typeName.isEmpty()) {
        return std::nullopt;
    }
    // Type names match without regard to case, as resource types do.
    const QStringList names = QDir(root_).entryList(QDir::Files);
    for (const QString &name : names) {
        if (name.compare(typeName, Qt::CaseInsensitive) != 0) {
            continue;
        }
        QResource res(root_ + u'/' + name);
        if (!res.isValid()) {
            return std::nullopt;
        }
        if (res.compressionAlgorithm() == QResource::NoCompression) {
            // Resource data lives as long as the program: no copy needed.
            return QByteArray::fromRawData(reinterpret_cast<const char *>(res.data()),
                                           static_cast<qsizetype>(res.size()));
        }
        return res.uncompressedData();
    }
    return std::nullopt;
}

void MemoryResourceProvider::add(const QString &typeName, QByteArray bytes, int id) {
    items_.insert(memoryKey(typeName, id), std::move(bytes));
}

std::optional<QByteArray> MemoryResourceProvider::fetch(const QString &typeName, int id) const {
    const auto it = items_.constFind(memoryKey(typeName, id));
    if (it == items_.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

} // namespace vorlan
