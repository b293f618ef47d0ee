#include "platform/ModelListView.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QProxyStyle>
#include <QTimer>
#include <exception>
#include "platform/Controls.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

namespace {

// The desktop style with the cell text one pixel from the cell's edge.
class NarrowCellStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_FocusFrameHMargin)
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

class ModelListView::Model : public QAbstractTableModel {
public:
    explicit Model(ModelListView* list) : QAbstractTableModel(list), m_list(list) {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !m_list->m_source ? 0 : m_list->m_source->rowCount();
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : int(m_list->m_columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || !m_list->m_source)
            return {};
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_list->columnAlignment(index.column()) | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        try {
            return m_list->m_source->cell(index.row(), index.column());
        } catch (const std::exception& e) {
            // Painting cannot stop for a message box: the cell stays empty
            // and the reason is said once the painting is done.
            reportLater(QString::fromUtf8(e.what()));
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= int(m_list->m_columns.size()))
            return {};
        if (role == Qt::DisplayRole)
            return m_list->m_columns[size_t(section)].caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_list->m_columns[size_t(section)].align | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    bool canFetchMore(const QModelIndex& parent) const override
    {
        return !parent.isValid() && m_list->m_source && m_list->m_source->canFetchMore();
    }
    void fetchMore(const QModelIndex& parent) override
    {
        if (parent.isValid() || !m_list->m_source)
            return;
        const RowSource* source = m_list->m_source;
        int more = 0;
        try {
            more = source->readMore();
        } catch (const std::exception& e) {
            reportLater(QString::fromUtf8(e.what()));
            return;
        }
        if (more <= 0)
            return;
        const int first = source->rowCount();
        beginInsertRows(QModelIndex(), first, first + more - 1);
        source->takeMore();
        endInsertRows();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    void reportLater(const QString& text) const
    {
        if (m_reporting)
            return;
        m_reporting = true;
        QTimer::singleShot(0, m_list, [this, text] {
            MsgBox(text, Msg::Exclamation, QStringLiteral("信息提示"));
            m_reporting = false;
        });
    }
    ModelListView* m_list;
    mutable bool m_reporting = false;
};

ModelListView::ModelListView(QWidget* parent) : RowKeepingView<QTableView>(parent)
{
    // The face and size of ListView, so both kinds of list look alike.
    QFont listFont(QStringLiteral("Noto Sans CJK SC"));
    listFont.setPointSize(9);
    setFont(listFont);

    m_model = new Model(this);
    setModel(m_model);
    setShowGrid(true);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(listFont).height() + 4);
    // Narrow cell margins, so that a designed column holds its whole date.
    auto* narrow = new NarrowCellStyle;
    narrow->setParent(this);
    setStyle(narrow);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { emit itemClick(i.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { emit itemDoubleClick(i.row()); });
    followSelectedRow(selectionModel(), this, [this] { return selectedRow(); },
                      [this](int row) { emit selectionChanged(row); });
}

ModelListView::~ModelListView() = default;

void ModelListView::clearColumns()
{
    m_columns.clear();
    m_model->reset();
}

int ModelListView::addColumn(const QString& caption, int widthTwips, Qt::Alignment align)
{
    m_columns.push_back({caption, widthTwips, align});
    m_model->reset();
    for (int c = 0; c < int(m_columns.size()); ++c) {
        const int w = m_columns[size_t(c)].width;
        setColumnHidden(c, w == 0);
        if (w > 0)
            setColumnWidth(c, Twips::toPixels(w));
    }
    return int(m_columns.size()) - 1;
}

QString ModelListView::columnCaption(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[size_t(column)].caption : QString();
}

int ModelListView::columnWidthTwips(int column) const
{
    if (column < 0 || column >= columnCount() || isColumnHidden(column))
        return 0;
    return Twips::fromPixels(columnWidth(column));
}

Qt::Alignment ModelListView::columnAlignment(int column) const
{
    return column >= 0 && column < columnCount() ? m_columns[size_t(column)].align : Qt::Alignment(Qt::AlignLeft);
}

void ModelListView::setSource(const RowSource* source)
{
    m_source = source;
    reload();
}

void ModelListView::reload()
{
    const QSignalBlocker block(selectionModel());
    m_model->reset();
}

int ModelListView::count() const
{
    return m_source ? m_source->rowCount() : 0;
}

QString ModelListView::text(int row) const
{
    return subItem(row, 0);
}

QString ModelListView::subItem(int row, int column) const
{
    if (!m_source || row < 0 || row >= count() || column < 0)
        return QString();
    return m_source->cell(row, column);
}

QModelIndex ModelListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action != MoveHome && action != MoveEnd)
        return QTableView::moveCursor(action, modifiers);
    // The table's Ctrl+Home and Ctrl+End, staying in the current column so
    // the list does not scroll sideways.
    const QModelIndex to = QTableView::moveCursor(action, modifiers | Qt::ControlModifier);
    const QModelIndex current = currentIndex();
    return to.isValid() && current.isValid() ? to.siblingAtColumn(current.column()) : to;
}

int ModelListView::selectedRow() const
{
    const QModelIndex cur = selectionModel()->currentIndex();
    if (cur.isValid() && selectionModel()->isRowSelected(cur.row(), QModelIndex()))
        return cur.row();
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ModelListView::select(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int ListViewRows::rowCount() const { return m_list.count(); }

QString ListViewRows::cell(int row, int column) const
{
    return column == 0 ? m_list.text(row) : m_list.subItem(row, column);
}
