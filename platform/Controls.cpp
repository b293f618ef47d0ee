#include "platform/Controls.h"

#include <QFont>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <memory>
#include "platform/Pictures.h"
#include "platform/Twips.h"

// ---- ListView ----------------------------------------------------------------

namespace {

// The list's rows; a whole list of rows is put in as one reset of the views.
class ListModel : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    void appendAsReset(const std::vector<QList<QStandardItem*>>& rows)
    {
        beginResetModel();
        {
            // The views hear of the rows once, from the reset.
            const QSignalBlocker quiet(this);
            for (const QList<QStandardItem*>& cells : rows)
                appendRow(cells);
        }
        endResetModel();
    }
};

} // namespace

ListView::ListView(QWidget* parent) : QStackedWidget(parent)
{
    // Lists use the narrow CJK face at 9 points, so designed column widths
    // hold a whole date-time.
    QFont listFont(QStringLiteral("Noto Sans CJK SC"));
    listFont.setPointSize(9);
    setFont(listFont);

    m_model = new ListModel(this);
    m_selection = new QItemSelectionModel(m_model, this);

    m_icons = new RowKeepingView<QListView>(this);
    m_icons->setModel(m_model);
    m_icons->setSelectionModel(m_selection);
    m_icons->setViewMode(QListView::IconMode);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);
    m_icons->setWordWrap(true);
    m_icons->setIconSize(QSize(32, 32));
    m_icons->setGridSize(QSize(80, 70));
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_icons->setSelectionMode(QAbstractItemView::SingleSelection);

    m_report = new RowKeepingView<QTreeView>(this);
    m_report->setModel(m_model);
    m_report->setSelectionModel(m_selection);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_report->header()->setStretchLastSection(false);
    m_report->header()->setSectionsMovable(false);
    m_report->setIconSize(QSize(16, 16));

    addWidget(m_icons);
    addWidget(m_report);
    setCurrentWidget(m_report);

    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_icons), static_cast<QAbstractItemView*>(m_report)}) {
        connect(v, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { emit itemClick(i.row()); });
        connect(v, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { emit itemDoubleClick(i.row()); });
    }
    followSelectedRow(m_selection, this, [this] { return selectedRow(); }, [this](int row) { emit selectionChanged(row); });
}

void followSelectedRow(QItemSelectionModel* selection, QObject* context, std::function<int()> selectedRow,
                       std::function<void(int)> report)
{
    // Set while the current row waits for the selection to follow it.
    auto waiting = std::make_shared<bool>(false);
    QObject::connect(selection, &QItemSelectionModel::currentRowChanged, context,
                     [selection, waiting, report](const QModelIndex& now, const QModelIndex&) {
                         *waiting = false;
                         if (!now.isValid())
                             report(-1);
                         else if (selection->isRowSelected(now.row(), now.parent()))
                             report(now.row());
                         else
                             *waiting = true;   // a mouse press: the selection comes next
                     });
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, context, [waiting, selectedRow, report] {
        if (!*waiting)
            return;
        *waiting = false;
        report(selectedRow());
    });
}

void ListView::setView(View view)
{
    m_view = view;
    setCurrentWidget(view == Report ? static_cast<QWidget*>(m_report) : static_cast<QWidget*>(m_icons));
    if (view == SmallIcon || view == List) {
        m_icons->setViewMode(QListView::ListMode);
        m_icons->setIconSize(QSize(16, 16));
        m_icons->setGridSize(QSize());
    } else if (view == Icon) {
        m_icons->setViewMode(QListView::IconMode);
    }
    applyPictures();
}

void ListView::setIconSizePixels(int size)
{
    m_icons->setIconSize(QSize(size, size));
    m_icons->setGridSize(QSize(size + 40, size + 36));
}

void ListView::clearColumns()
{
    m_model->setColumnCount(0);
    m_widths.clear();
    m_aligns.clear();
}

int ListView::addColumn(const QString& caption, int widthTwips, Qt::Alignment align)
{
    const int c = int(m_widths.size());
    m_widths.push_back(widthTwips);
    m_aligns.push_back(align);
    if (m_model->columnCount() < c + 1)
        m_model->setColumnCount(c + 1);
    auto* header = new QStandardItem(caption);
    header->setTextAlignment(align | Qt::AlignVCenter);
    m_model->setHorizontalHeaderItem(c, header);
    if (widthTwips == 0) {
        m_report->setColumnHidden(c, true);
    } else {
        m_report->setColumnHidden(c, false);
        m_report->setColumnWidth(c, widthTwips > 0 ? Twips::toPixels(widthTwips) : 100);
    }
    return c;
}

int ListView::columnCount() const { return int(m_widths.size()); }

QString ListView::columnCaption(int column) const
{
    QStandardItem* h = m_model->horizontalHeaderItem(column);
    return h ? h->text() : QString();
}

int ListView::columnWidthTwips(int column) const
{
    if (column < 0 || column >= columnCount())
        return 0;
    if (m_report->isColumnHidden(column))
        return 0;
    return Twips::fromPixels(m_report->columnWidth(column));
}

bool ListView::columnHidden(int column) const { return m_report->isColumnHidden(column); }

void ListView::clear() { m_model->removeRows(0, m_model->rowCount()); }

int ListView::count() const { return m_model->rowCount(); }

void ListView::ensureColumn(int column)
{
    if (m_model->columnCount() <= column)
        m_model->setColumnCount(column + 1);
}

QStandardItem* ListView::cell(int row, int column) const
{
    if (row < 0 || row >= m_model->rowCount() || column < 0)
        return nullptr;
    return m_model->item(row, column);
}

int ListView::add(const QString& text, const QString& key, const QIcon& icon, const QStringList& subItems)
{
    return insert(m_model->rowCount(), text, key, icon, subItems);
}

int ListView::insert(int row, const QString& text, const QString& key, const QIcon& icon, const QStringList& subItems)
{
    return insertRow(row, text, key, icon, subItems, nullptr);
}

QList<QStandardItem*> ListView::makeRow(const QString& text, const QString& key, const QIcon& icon,
                                        const QStringList& subItems, const std::function<void(QStandardItem*)>& first)
{
    QList<QStandardItem*> cells;
    ensureColumn(int(subItems.size()));
    const int columns = qMax(1, m_model->columnCount());
    for (int c = 0; c < columns; ++c) {
        auto* item = new QStandardItem(c == 0 ? text : subItems.value(c - 1));
        item->setEditable(false);
        if (c < int(m_aligns.size()))
            item->setTextAlignment(m_aligns[c] | Qt::AlignVCenter);
        cells << item;
    }
    cells[0]->setData(key, Qt::UserRole + 1);
    if (!icon.isNull())
        cells[0]->setIcon(icon);
    if (first)
        first(cells[0]);
    return cells;
}

int ListView::insertRow(int row, const QString& text, const QString& key, const QIcon& icon, const QStringList& subItems,
                        const std::function<void(QStandardItem*)>& first)
{
    row = qBound(0, row, m_model->rowCount());
    m_model->insertRow(row, makeRow(text, key, icon, subItems, first));
    return row;
}

QString ListView::text(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->text() : QString();
}

void ListView::setText(int row, const QString& text)
{
    if (QStandardItem* c = cell(row, 0))
        c->setText(text);
}

QString ListView::subItem(int row, int column) const
{
    QStandardItem* c = cell(row, column);
    return c ? c->text() : QString();
}

void ListView::setSubItem(int row, int column, const QString& text)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    ensureColumn(column);
    QStandardItem* c = m_model->item(row, column);
    if (!c) {
        c = new QStandardItem();
        c->setEditable(false);
        if (column < int(m_aligns.size()))
            c->setTextAlignment(m_aligns[column] | Qt::AlignVCenter);
        m_model->setItem(row, column, c);
    }
    c->setText(text);
}

QString ListView::key(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->data(Qt::UserRole + 1).toString() : QString();
}

QVariant ListView::tag(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->data(Qt::UserRole + 2) : QVariant();
}

void ListView::setTag(int row, const QVariant& tag)
{
    if (QStandardItem* c = cell(row, 0))
        c->setData(tag, Qt::UserRole + 2);
}

void ListView::setIcon(int row, const QIcon& icon)
{
    if (QStandardItem* c = cell(row, 0))
        c->setIcon(icon);
}

void ListView::remove(int row)
{
    if (row >= 0 && row < m_model->rowCount())
        m_model->removeRow(row);
}

int ListView::findKey(const QString& key) const
{
    for (int r = 0; r < count(); ++r)
        if (this->key(r) == key)
            return r;
    return -1;
}

int ListView::selectedRow() const
{
    const QModelIndex cur = m_selection->currentIndex();
    if (cur.isValid() && m_selection->isRowSelected(cur.row(), QModelIndex()))
        return cur.row();
    const QModelIndexList rows = m_selection->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListView::select(int row)
{
    if (row < 0 || row >= count()) {
        m_selection->clearSelection();
        m_selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    const QModelIndex i = m_model->index(row, 0);
    m_selection->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// ---- ListView pictures ---------------------------------------------------------

namespace {
constexpr int LargePictureRole = Qt::UserRole + 3;
constexpr int SmallPictureRole = Qt::UserRole + 4;
} // namespace

void ListView::setIcons(const ImageList* large)
{
    m_largeList = large;
    if (large)
        setIconSizePixels(large->imageSize());
    applyPictures();
}

void ListView::setSmallIcons(const ImageList* small)
{
    m_smallList = small;
    if (small)
        m_report->setIconSize(QSize(small->imageSize(), small->imageSize()));
    applyPictures();
}

int ListView::addWithPictures(const QString& text, const QString& key, int iconIndex, int smallIconIndex,
                              const QStringList& subItems)
{
    return insertRow(m_model->rowCount(), text, key, {}, subItems, [&](QStandardItem* first) {
        first->setData(iconIndex, LargePictureRole);
        first->setData(smallIconIndex, SmallPictureRole);
        applyPicture(first);
    });
}

void ListView::setRowsWithPictures(const std::vector<PictureRow>& rows)
{
    // As many rows as shown, with no more columns: the shown rows take the
    // new texts and pictures where they differ, so that a list refreshed
    // without a change repaints nothing. The selection goes either way.
    const int columns = m_model->columnCount();
    bool fits = !rows.empty() && int(rows.size()) == m_model->rowCount();
    for (size_t r = 0; fits && r < rows.size(); ++r)
        fits = int(rows[r].subItems.size()) < columns && m_model->item(int(r), columns - 1);
    if (fits) {
        m_selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        for (int r = 0; r < int(rows.size()); ++r) {
            const PictureRow& row = rows[size_t(r)];
            QStandardItem* first = m_model->item(r, 0);
            for (int c = 0; c < columns; ++c) {
                QStandardItem* item = m_model->item(r, c);
                const QString text = c == 0 ? row.text : row.subItems.value(c - 1);
                if (item->text() != text)
                    item->setText(text);
            }
            if (first->data(Qt::UserRole + 1).toString() != row.key)
                first->setData(row.key, Qt::UserRole + 1);
            if (first->data(LargePictureRole).toInt() != row.iconIndex
                || first->data(SmallPictureRole).toInt() != row.smallIconIndex) {
                first->setData(row.iconIndex, LargePictureRole);
                first->setData(row.smallIconIndex, SmallPictureRole);
                applyPicture(first);
            }
        }
        return;
    }
    clear();
    std::vector<QList<QStandardItem*>> made;
    made.reserve(rows.size());
    for (const PictureRow& r : rows)
        made.push_back(makeRow(r.text, r.key, {}, r.subItems, [&](QStandardItem* first) {
            first->setData(r.iconIndex, LargePictureRole);
            first->setData(r.smallIconIndex, SmallPictureRole);
            applyPicture(first);
        }));
    static_cast<ListModel*>(m_model)->appendAsReset(made);
}

int ListView::iconIndex(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->data(LargePictureRole).toInt() : 0;
}

int ListView::smallIconIndex(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->data(SmallPictureRole).toInt() : 0;
}

QIcon ListView::shownPicture(int row) const
{
    QStandardItem* c = cell(row, 0);
    return c ? c->icon() : QIcon();
}

void ListView::applyPicture(QStandardItem* c) const
{
    if (!c || !c->data(LargePictureRole).isValid())
        return;   // a row without pictures from image lists keeps its own icon
    const bool large = m_view == Icon;
    const ImageList* list = large ? m_largeList : m_smallList;
    const int index = c->data(large ? LargePictureRole : SmallPictureRole).toInt();
    c->setIcon(list ? list->icon(index) : QIcon());
}

void ListView::applyPictures()
{
    if (!m_largeList && !m_smallList)
        return;
    for (int r = 0; r < count(); ++r)
        applyPicture(cell(r, 0));
}

// ---- TreeView ----------------------------------------------------------------

TreeView::TreeView(QWidget* parent) : RowKeepingView<QTreeWidget>(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
        if (now)
            emit nodeClick(now);
    });
    // A click on the node that is already selected changes no selection but
    // is a node click all the same.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        if (item && item == m_currentBeforePress && item == currentItem())
            emit nodeClick(item);
    });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (m_checkboxes && !m_settingCheck)
            emit nodeCheck(item);
    });
}

void TreeView::mousePressEvent(QMouseEvent* event)
{
    m_currentBeforePress = currentItem();
    RowKeepingView<QTreeWidget>::mousePressEvent(event);
}

void TreeView::clearNodes()
{
    const QSignalBlocker block(this);
    clear();
}

QTreeWidgetItem* TreeView::addNode(const QString& parentKey, const QString& key, const QString& text)
{
    return addChildNode(parentKey.isEmpty() ? nullptr : node(parentKey), key, text);
}

QTreeWidgetItem* TreeView::addChildNode(QTreeWidgetItem* parent, const QString& key, const QString& text)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    m_settingCheck = true;
    item->setText(0, text);
    item->setData(0, Qt::UserRole + 1, key);
    if (m_checkboxes)
        item->setCheckState(0, Qt::Unchecked);
    m_settingCheck = false;
    return item;
}

QTreeWidgetItem* TreeView::node(const QString& key) const
{
    QTreeWidgetItemIterator it(const_cast<TreeView*>(this));
    for (; *it; ++it)
        if (keyOf(*it) == key)
            return *it;
    return nullptr;
}

QString TreeView::keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, Qt::UserRole + 1).toString() : QString();
}

QString TreeView::selectedKey() const { return keyOf(currentItem()); }

QString TreeView::selectedText() const { return currentItem() ? currentItem()->text(0) : QString(); }

bool TreeView::selectKey(const QString& key)
{
    QTreeWidgetItem* item = node(key);
    if (!item)
        return false;
    const QSignalBlocker block(this);
    setCurrentItem(item);
    return true;
}

int TreeView::nodeCount() const
{
    int n = 0;
    QTreeWidgetItemIterator it(const_cast<TreeView*>(this));
    for (; *it; ++it)
        ++n;
    return n;
}

void TreeView::setCheckboxes(bool on) { m_checkboxes = on; }

bool TreeView::checked(const QTreeWidgetItem* item) const
{
    return item && item->checkState(0) == Qt::Checked;
}

void TreeView::setChecked(QTreeWidgetItem* item, bool on)
{
    if (!item)
        return;
    m_settingCheck = true;
    item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    m_settingCheck = false;
}

// ---- Toolbar -----------------------------------------------------------------

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

int Toolbar::addButton(const QString& caption, const QString& key, const QIcon& icon)
{
    QAction* a = addAction(icon, caption);
    a->setData(key);
    m_actions.push_back(a);
    const int index = int(m_actions.size());
    connect(a, &QAction::triggered, this, [this, index] { emit buttonClick(index); });
    return index;
}

QToolButton* Toolbar::button(int index) const
{
    if (index < 1 || index > buttonCount())
        return nullptr;
    return qobject_cast<QToolButton*>(widgetForAction(m_actions[index - 1]));
}

QString Toolbar::caption(int index) const
{
    return (index < 1 || index > buttonCount()) ? QString() : m_actions[index - 1]->text();
}

QString Toolbar::key(int index) const
{
    return (index < 1 || index > buttonCount()) ? QString() : m_actions[index - 1]->data().toString();
}

int Toolbar::addButtonMenu(int index, const QString& caption, const QString& key)
{
    if (index < 1 || index > buttonCount())
        return 0;
    QAction* button = m_actions[index - 1];
    QMenu* menu = button->menu();
    if (!menu) {
        menu = new QMenu(this);
        button->setMenu(menu);
        if (QToolButton* b = this->button(index))
            b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    QAction* item = menu->addAction(caption);
    item->setData(key);
    const int itemIndex = int(menu->actions().size());
    connect(item, &QAction::triggered, this, [this, index, itemIndex] { emit buttonMenuClick(index, itemIndex); });
    return itemIndex;
}

QAction* Toolbar::menuItem(int index, int item) const
{
    if (index < 1 || index > buttonCount() || !m_actions[index - 1]->menu())
        return nullptr;
    const QList<QAction*> items = m_actions[index - 1]->menu()->actions();
    return (item < 1 || item > items.size()) ? nullptr : items[item - 1];
}

int Toolbar::buttonMenuCount(int index) const
{
    if (index < 1 || index > buttonCount() || !m_actions[index - 1]->menu())
        return 0;
    return int(m_actions[index - 1]->menu()->actions().size());
}

QString Toolbar::buttonMenuCaption(int index, int item) const
{
    QAction* a = menuItem(index, item);
    return a ? a->text() : QString();
}

QString Toolbar::buttonMenuKey(int index, int item) const
{
    QAction* a = menuItem(index, item);
    return a ? a->data().toString() : QString();
}

void Toolbar::clickMenu(int index, int item)
{
    if (!buttonEnabled(index) || !buttonVisible(index))
        return;
    if (QAction* a = menuItem(index, item))
        a->trigger();
}

void Toolbar::setButtonFace(int index, const QString& caption, const QIcon& icon)
{
    if (index < 1 || index > buttonCount())
        return;
    m_actions[index - 1]->setText(caption);
    m_actions[index - 1]->setIcon(icon);
}

void Toolbar::setButtonVisible(int index, bool visible)
{
    if (index >= 1 && index <= buttonCount())
        m_actions[index - 1]->setVisible(visible);
}

bool Toolbar::buttonVisible(int index) const
{
    return index >= 1 && index <= buttonCount() && m_actions[index - 1]->isVisible();
}

void Toolbar::setButtonEnabled(int index, bool enabled)
{
    if (index >= 1 && index <= buttonCount())
        m_actions[index - 1]->setEnabled(enabled);
}

bool Toolbar::buttonEnabled(int index) const
{
    return index >= 1 && index <= buttonCount() && m_actions[index - 1]->isEnabled();
}

void Toolbar::click(int index)
{
    if (buttonEnabled(index) && buttonVisible(index))
        m_actions[index - 1]->trigger();
}
