#pragma once

// TCandidateModel: the rows of the candidate box's list, read straight from
// the main window's candidate vector (text, count) when the view asks for
// them. A refill costs the same for ten candidates as for a hundred
// thousand: the view learns the new row count and asks only for the rows it
// shows.
//
// Sorting does not touch the vector: the model keeps which candidate each
// row shows, and gives the vector's order back at the next refill.

#include "core/CountString.h"

#include <QAbstractTableModel>

#include <vector>

class TCandidateModel : public QAbstractTableModel {
public:
    enum Column { TextColumn = 0, CountColumn = 1, ColumnCount = 2 };

    explicit TCandidateModel(const std::vector<TCountString>* candidates, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The rows again from the vector, in its order.
    void Refill();
    // Text column: the texts ignoring the case of ASCII letters; count
    // column: the counts ascending. Equal rows keep the vector's order.
    void SortByColumn(int column);
    // The vector index of the candidate the row shows; -1 for no such row.
    int CandidateIndex(int row) const;

private:
    bool Sorted() const { return !row_candidates_.empty(); }
    std::vector<int> OrderedBy(int column) const;

    const std::vector<TCountString>* candidates_;
    // Row -> vector index after a sort; empty while the rows are in the
    // vector's order, so that a refill need not build it.
    std::vector<int> row_candidates_;
};
