#pragma once
// The selected row of a list, tree or picker stays selected through the
// user's clicks and keys.
#include <QItemSelectionModel>

// The windows act on "the selected row" of a list and rely on one being
// selected once the list has rows. Qt's single-selection views let the user
// take it away: a click (or the first press of a double-click) where no row
// is, a drag off the rows, a Ctrl+click or Ctrl+Space on the selected row.
// Given what a view would do for a mouse or key event on the index, this
// keeps the selection instead whenever one is held; selecting another row,
// and what the program selects or clears itself, go through unchanged.
QItemSelectionModel::SelectionFlags keepSelectedRow(const QItemSelectionModel* selection, const QModelIndex& index,
                                                    QItemSelectionModel::SelectionFlags command);

// A view (list, tree, table, list widget) whose selected row or node stays
// selected through the user's clicks and keys (keepSelectedRow): every list,
// tree and picker of the windows is one.
template <class View>
class RowKeepingView : public View {
public:
    using View::View;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override
    {
        return keepSelectedRow(this->selectionModel(), index, View::selectionCommand(index, event));
    }
};
