#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace vorlan {

// Where word lists come from: a type name (matched without regard to case)
// and an id give the exact bytes of one text.
class ResourceProvider {
public:
    virtual ~ResourceProvider() = default;
    // The bytes, unchanged, or nothing when no such resource exists.
    virtual std::optional<QByteArray> fetch(const QString &typeName, int id) const = 0;

    // The word lists built into the program.
    static const ResourceProvider &builtIn();
};

// The texts compiled into the executable as Qt resources under
// ":/wordlists/<TYPE>", all with id 1. The bytes are not copied.
class QtResourceProvider : public ResourceProvider {
public:
    explicit QtResourceProvider(QString root = QStringLiteral(":/wordlists"));
    std::optional<QByteArray> fetch(const QString &typeName, int id) const override;

private:
    QString root_;
};

// Texts held in memory, id 1 unless given; for tests and benchmarks.
class MemoryResourceProvider : public ResourceProvider {
public:
    void add(const QString &typeName, QByteArray bytes, int id = 1);
    std::optional<QByteArray> fetch(const QString &typeName, int id) const override;

private:
    QHash<QString, QByteArray> items_; // key: upper-cased name + '/' + id
};

} // namespace vorlan
