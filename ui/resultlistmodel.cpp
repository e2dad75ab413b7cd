#include "resultlistmodel.h"

#include "resourcetools.h"

namespace vorlan {

QStringView visibleText(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

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

int ResultListModel::findExact(QStringView text) const {
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const QStringView candidate = rowText(row);
        // Case folding keeps lengths, so unequal lengths can never be equal.
        if (candidate.size() == text.size() && candidate.compare(text, Qt::CaseInsensitive) == 0) {
            return row;
        }
    }
    return -1;
}

} // namespace vorlan
