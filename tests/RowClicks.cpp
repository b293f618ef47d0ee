#include "tests/RowClicks.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <stdexcept>
#include "platform/Controls.h"
#include "platform/ModelListView.h"

namespace {

// The user clicks a window on screen: a window the test has not shown yet
// is shown first, so its views have their sizes.
void showWindowOf(QAbstractItemView* view)
{
    if (!view->window()->isVisible()) {
        view->window()->show();
        QCoreApplication::processEvents();
    }
}

// The point to press on the row of the index: the middle of the first
// shown cell of the row that lies in the viewport.
QPoint pointOnRow(QAbstractItemView* view, const QModelIndex& index)
{
    showWindowOf(view);
    view->scrollTo(index);
    const QRect visible = view->viewport()->rect();
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < model->columnCount(index.parent()); ++c) {
        const QRect cell = view->visualRect(model->index(index.row(), c, index.parent())) & visible;
        if (!cell.isEmpty())
            return cell.center();
    }
    throw std::logic_error("the row to click is not on screen: the view must be shown and big enough");
}

// A click, or a click and then the second press of a double-click, at the
// point of the viewport.
void clickAt(QAbstractItemView* view, const QPoint& at, bool twice)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
}

void click(QAbstractItemView* view, const QModelIndex& index, bool twice)
{
    if (!index.isValid())
        throw std::logic_error("no such row to click");
    clickAt(view, pointOnRow(view, index), twice);
}

// A point of the viewport where no row is: its bottom right corner, which
// the few rows of a test leave empty.
QPoint pointWhereNoRowIs(QAbstractItemView* view)
{
    showWindowOf(view);
    const QPoint corner = view->viewport()->rect().bottomRight() - QPoint(2, 2);
    if (view->indexAt(corner).isValid())
        throw std::logic_error("the rows fill the view: no place without a row to click");
    return corner;
}

// A press at one point of the viewport, the pointer moved a little there
// and then to another point with the button held, and the release there.
void drag(QAbstractItemView* view, const QPoint& from, const QPoint& to)
{
    QWidget* port = view->viewport();
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    QTest::mouseMove(port, from + QPoint(1, 0));
    QTest::mouseMove(port, to);
    QTest::mouseRelease(port, Qt::LeftButton, {}, to);
}

} // namespace

void perform(ListGesture gesture, QAbstractItemView* view)
{
    QWidget* port = view->viewport();
    switch (gesture) {
    case ListGesture::ClickWhereNoRowIs:
    case ListGesture::DoubleClickWhereNoRowIs:
        clickAt(view, pointWhereNoRowIs(view), gesture == ListGesture::DoubleClickWhereNoRowIs);
        break;
    case ListGesture::CtrlClickOnSelectedRow:
    case ListGesture::DragOffTheRows: {
        const QModelIndex selected = view->selectionModel()->currentIndex();
        if (!selected.isValid() || !view->selectionModel()->isSelected(selected))
            throw std::logic_error("no selected row to act on");
        const QPoint on = pointOnRow(view, selected);
        if (gesture == ListGesture::CtrlClickOnSelectedRow) {
            QTest::mouseClick(port, Qt::LeftButton, Qt::ControlModifier, on);
        } else {
            drag(view, on, pointWhereNoRowIs(view));
        }
        break;
    }
    case ListGesture::CtrlSpace:
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
        break;
    }
}

QAbstractItemView* shownView(ListView* list)
{
    return list->view() == ListView::Report ? static_cast<QAbstractItemView*>(list->reportView())
                                            : static_cast<QAbstractItemView*>(list->iconView());
}

const char* gestureName(ListGesture gesture)
{
    switch (gesture) {
    case ListGesture::ClickWhereNoRowIs: return "ClickWhereNoRowIs";
    case ListGesture::DoubleClickWhereNoRowIs: return "DoubleClickWhereNoRowIs";
    case ListGesture::CtrlClickOnSelectedRow: return "CtrlClickOnSelectedRow";
    case ListGesture::CtrlSpace: return "CtrlSpace";
    case ListGesture::DragOffTheRows: return "DragOffTheRows";
    }
    return "?";
}

void perform(ListGesture gesture, ListView* list) { perform(gesture, shownView(list)); }

void clickRow(ListView* list, int row)
{
    click(shownView(list), list->model()->index(row, 0), false);
}

void clickRow(QAbstractItemView* view, int row)
{
    click(view, view->model()->index(row, 0), false);
}

void doubleClickRow(ListView* list, int row)
{
    click(shownView(list), list->model()->index(row, 0), true);
}

void doubleClickRow(ModelListView* list, int row)
{
    click(list, list->model()->index(row, 0), true);
}

void clickNode(TreeView* tree, const QString& key)
{
    QTreeWidgetItem* node = tree->node(key);
    if (!node)
        throw std::logic_error("no such node to click");
    click(tree, tree->indexFromItem(node), false);
}

void clickCheckBox(TreeView* tree, const QString& key, Qt::KeyboardModifiers modifiers)
{
    QTreeWidgetItem* node = tree->node(key);
    if (!node)
        throw std::logic_error("no such node to tick");
    const QModelIndex index = tree->indexFromItem(node);
    pointOnRow(tree, index);   // shown and scrolled into view
    // Where the tree's style draws the box in the node's cell.
    QStyleOptionViewItem option;
    option.initFrom(tree->viewport());
    option.rect = tree->visualRect(index);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = node->text(0);
    const QRect box = tree->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, tree);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers, box.center());
}

void dragRow(ListView* list, int from, int to)
{
    QAbstractItemView* view = shownView(list);
    drag(view, pointOnRow(view, list->model()->index(from, 0)), pointOnRow(view, list->model()->index(to, 0)));
}
