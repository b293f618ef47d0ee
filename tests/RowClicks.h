#pragma once
// Clicks on list and tree rows as a user makes them: a mouse press and a
// release on the row's rectangle in the view, the row scrolled into view
// first. The view raises its signals in the order the mouse makes them (the
// current row moves on the press, before the selection does), which a
// helper that selects and then raises the click would hide.
#include <QString>
#include <Qt>

class ListView;
class ModelListView;
class TreeView;
class QAbstractItemView;

void clickRow(ListView* list, int row);
// A row of any other view of rows (a list of many rows, a picker's list).
void clickRow(QAbstractItemView* view, int row);
// A click, then the second press of a double-click on the same row.
void doubleClickRow(ListView* list, int row);
void doubleClickRow(ModelListView* list, int row);
// The node with the key, its parents opened first as a user would.
void clickNode(TreeView* tree, const QString& key);
// A click on the check box of the node with the key (a tree with check boxes).
void clickCheckBox(TreeView* tree, const QString& key, Qt::KeyboardModifiers modifiers = {});
// A press on one row, the pointer moved to another with the button held,
// and the release there.
void dragRow(ListView* list, int from, int to);

// What else a user's mouse and keys do to a list that holds a selected row:
// a click or a double-click where no row is (below the rows, right of the
// columns, beside the tiles), a Ctrl+click or Ctrl+Space on the selected
// row, a press on the selected row dragged off the rows.
enum class ListGesture { ClickWhereNoRowIs, DoubleClickWhereNoRowIs, CtrlClickOnSelectedRow, CtrlSpace, DragOffTheRows };
inline constexpr ListGesture EveryListGesture[] = {ListGesture::ClickWhereNoRowIs, ListGesture::DoubleClickWhereNoRowIs,
                                                  ListGesture::CtrlClickOnSelectedRow, ListGesture::CtrlSpace,
                                                  ListGesture::DragOffTheRows};
const char* gestureName(ListGesture gesture);
void perform(ListGesture gesture, ListView* list);
// On any other view of rows or nodes (a list of many rows, a picker's list,
// a tree): the selected entry is its current one.
void perform(ListGesture gesture, QAbstractItemView* view);
// The view a ListView shows now (its report or its icon view).
QAbstractItemView* shownView(ListView* list);
