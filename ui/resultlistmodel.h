#pragma once

#include <QAbstractListModel>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace vorlan {

class ResourceTools;

// The rows of a result list box: each row's item data is a record index and
// its text the headword of that record, read from the store only when a row
// is painted. Refilling swaps one vector, however many rows there are.
class ResultListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ResultListModel(QObject *parent = nullptr);

    // Rows for these record indexes of `words`, in this order.
    void setRows(const ResourceTools *words, std::vector<int32_t> indexes);
    void clear();
    // Right-aligned rows, for Persian headwords.
    void setRightAligned(bool on) { rightAligned_ = on; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Item data of a row: the record index.
    int32_t itemData(int row) const { return indexes_[static_cast<std::size_t>(row)]; }
    // The row's text: the headword up to any U+0000, as a list box holds it.
    QStringView rowText(int row) const;

private:
    const ResourceTools *words_ = nullptr;
    std::vector<int32_t> indexes_;
    bool rightAligned_ = false;
};

} // namespace vorlan
