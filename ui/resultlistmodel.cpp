#include "resultlistmodel.h"

#include "resourcetools.h"

namespace vorlan {

ResultListModel::ResultListModel(QObject *parent) : QAbstractListModel(parent) {}

void ResultListModel::setRows(const ResourceTools *words, std::vector<int32_t> indexes) {
    beginResetModel();
    words_ = words;
    indexes_ = std::move(indexes);
    endResetModel();
}

void ResultListModel::clear() {
    if (indexes_.empty()) {
        return;
    }
    beginResetModel();
    indexes_.clear();
    endResetModel();
}

int ResultListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(indexes_.size());
}

QStringView ResultListModel::rowText(int row) const {
    return visibleText(words_->recordView(itemData(row)));
}

QVariant ResultListModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return rowText(index.row()).toString();
    case Qt::UserRole:
        return itemData(index.row());
    case Qt::TextAlignmentRole:
        if (rightAligned_) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    default:
        return {};
    }
}

} // namespace vorlan
