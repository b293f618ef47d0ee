#include "tests/RowClicks.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QTest>
#include <stdexcept>
#include "platform/Controls.h"
#include "platform/ModelListView.h"

namespace {

// The point to press on the row of the index: the middle of the first
// shown cell of the row that lies in the viewport.
QPoint pointOnRow(QAbstractItemView* view, const QModelIndex& index)
{
    // The user clicks a window on screen: a window the test has not shown
    // yet is shown first, so its views have their sizes.
    if (!view->window()->isVisible()) {
        view->window()->show();
        QCoreApplication::processEvents();
    }
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

void click(QAbstractItemView* view, const QModelIndex& index, bool twice)
{
    if (!index.isValid())
        throw std::logic_error("no such row to click");
    const QPoint at = pointOnRow(view, index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    }
}

QAbstractItemView* shownView(ListView* list)
{
    return list->view() == ListView::Report ? static_cast<QAbstractItemView*>(list->reportView())
                                            : static_cast<QAbstractItemView*>(list->iconView());
}

} // namespace

void clickRow(ListView* list, int row)
{
    click(shownView(list), list->model()->index(row, 0), false);
}

void clickRow(ModelListView* list, int row)
{
    click(list, list->model()->index(row, 0), false);
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
