#include "ui/CandidateModel.h"

#include "platform/AsciiCase.h"
#include "platform/ui/QtText.h"

#include <algorithm>
#include <numeric>

TCandidateModel::TCandidateModel(const std::vector<TCountString>* candidates, QObject* parent)
    : QAbstractTableModel(parent)
    , candidates_(candidates)
{
}

int TCandidateModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || candidates_ == nullptr)
        return 0;
    return static_cast<int>(candidates_->size());
}

int TCandidateModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TCandidateModel::data(const QModelIndex& index, int role) const
{
    const int candidate = CandidateIndex(index.row());
    if (role != Qt::DisplayRole || candidate < 0)
        return {};
    const TCountString& entry = (*candidates_)[static_cast<std::size_t>(candidate)];
    if (index.column() == TextColumn)
        return SjisText(entry.GetText());
    // Right-aligned in six characters of the fixed-pitch face.
    return QString::asprintf("%6d", entry.GetCount());
}

QVariant TCandidateModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == TextColumn)
        return QtText(u8"候補文字列");
    if (section == CountColumn)
        return QtText(u8"文字列数");
    return {};
}

void TCandidateModel::Refill()
{
    beginResetModel();
    row_candidates_.clear();
    endResetModel();
}

void TCandidateModel::SortByColumn(int column)
{
    if (rowCount() == 0)
        return;
    std::vector<int> order = OrderedBy(column);
    // The selected row follows its candidate to its new place.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> new_row_of(order.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        new_row_of[static_cast<std::size_t>(order[row])] = static_cast<int>(row);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const int candidate = CandidateIndex(index.row());
        after.append(candidate < 0 ? QModelIndex()
                                   : createIndex(new_row_of[static_cast<std::size_t>(candidate)], index.column()));
    }
    row_candidates_ = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::vector<int> TCandidateModel::OrderedBy(int column) const
{
    std::vector<int> order(candidates_->size());
    std::iota(order.begin(), order.end(), 0);
    const std::vector<TCountString>& entries = *candidates_;
    if (column == TextColumn) {
        std::vector<std::string> texts;
        texts.reserve(entries.size());
        for (const TCountString& entry : entries)
            texts.push_back(entry.GetText());
        std::stable_sort(order.begin(), order.end(), [&texts](int a, int b) {
            return CompareIgnoringAsciiCase(texts[static_cast<std::size_t>(a)], texts[static_cast<std::size_t>(b)])
                < 0;
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&entries](int a, int b) {
            return entries[static_cast<std::size_t>(a)].GetCount() < entries[static_cast<std::size_t>(b)].GetCount();
        });
    }
    return order;
}

int TCandidateModel::CandidateIndex(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    if (!Sorted() || row_candidates_.size() != candidates_->size())
        return row;
    return row_candidates_[static_cast<std::size_t>(row)];
}
