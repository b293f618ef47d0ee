#include "platform/RowKeeping.h"

QItemSelectionModel::SelectionFlags keepSelectedRow(const QItemSelectionModel* selection, const QModelIndex& index,
                                                    QItemSelectionModel::SelectionFlags command)
{
    if (command == QItemSelectionModel::NoUpdate || !selection || !selection->hasSelection())
        return command;
    // No row under the event: nothing to select in place of the selected row.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    // Ctrl on the selected row would only take it away.
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::NoUpdate;
    return command;
}
