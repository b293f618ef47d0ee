#include "platform/FlexGrid.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QHeaderView>
#include "platform/Twips.h"

// The cells of a grid, row after row, and how the grid shows them.
class FlexGridModel : public QAbstractTableModel {
public:
    explicit FlexGridModel(FlexGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    // Rows from m_sourceFirst on come from the source, when there is one.
    QString text(int row, int col) const
    {
        if (m_source && row >= m_sourceFirst)
            return m_source->cell(row - m_sourceFirst, col);
        return m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    }

    void showRows(int first, std::unique_ptr<RowSource> source)
    {
        beginResetModel();
        m_cells.resize(size_t(first) * size_t(m_cols));
        m_source = std::move(source);
        m_sourceFirst = first;
        m_rows = first + m_source->rowCount();
        endResetModel();
    }

    // The rows of the source go; the grid keeps the rows before them.
    void dropSource()
    {
        if (!m_source)
            return;
        beginResetModel();
        m_source.reset();
        m_rows = m_sourceFirst;
        endResetModel();
    }

    void setText(int row, int col, const QString& text)
    {
        if (m_source && row >= m_sourceFirst)
            return;
        QString& cell = m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
        if (cell == text)
            return;
        cell = text;
        if (m_quiet)
            return;
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::TextAlignmentRole});
    }

    // While quiet, written cells are not announced one by one; the end of
    // it announces every cell once.
    void setQuiet(bool quiet)
    {
        m_quiet = quiet;
        if (!quiet)
            restyle();
    }

    void resize(int rows, int cols)
    {
        dropSource();
        rows = qMax(0, rows);
        cols = qMax(0, cols);
        if (cols != m_cols) {
            // Columns change seldom (once when a window loads): the cells are laid out again.
            std::vector<QString> cells(size_t(m_rows) * size_t(cols));
            for (int r = 0; r < m_rows; ++r)
                for (int c = 0; c < qMin(cols, m_cols); ++c)
                    cells[size_t(r) * size_t(cols) + size_t(c)] = text(r, c);
            if (cols > m_cols) {
                beginInsertColumns({}, m_cols, cols - 1);
                m_cells.swap(cells);
                m_cols = cols;
                endInsertColumns();
            } else {
                beginRemoveColumns({}, cols, m_cols - 1);
                m_cells.swap(cells);
                m_cols = cols;
                endRemoveColumns();
            }
        }
        if (rows > m_rows) {
            beginInsertRows({}, m_rows, rows - 1);
            m_cells.resize(size_t(rows) * size_t(m_cols));
            m_rows = rows;
            endInsertRows();
        } else if (rows < m_rows) {
            beginRemoveRows({}, rows, m_rows - 1);
            m_cells.resize(size_t(rows) * size_t(m_cols));
            m_rows = rows;
            endRemoveRows();
        }
    }

    // Every cell shown again (fixed rows or columns changed).
    void restyle()
    {
        if (m_rows > 0 && m_cols > 0)
            emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid() || i.row() >= m_rows || i.column() >= m_cols)
            return {};
        const bool fixed = i.row() < m_grid->m_fixedRows || i.column() < m_grid->m_fixedCols;
        switch (role) {
        case Qt::DisplayRole:
            return text(i.row(), i.column());
        case Qt::BackgroundRole:
            return fixed ? m_grid->palette().button() : m_grid->palette().base();
        case Qt::TextAlignmentRole: {
            // Headings are centred; other cells follow their column, and a
            // column of general alignment puts numbers right and text left.
            Qt::Alignment align = m_grid->ColAlignment(i.column());
            if (i.row() < m_grid->m_fixedRows) {
                align = Qt::AlignHCenter;
            } else if (!align) {
                bool number = false;
                text(i.row(), i.column()).toDouble(&number);
                align = number ? Qt::AlignRight : Qt::AlignLeft;
            }
            return QVariant::fromValue(align | Qt::AlignVCenter);
        }
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        if (!i.isValid())
            return Qt::NoItemFlags;
        const bool fixed = i.row() < m_grid->m_fixedRows || i.column() < m_grid->m_fixedCols;
        return fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    FlexGrid* m_grid;
    int m_rows = 0;
    bool m_quiet = false;
    int m_cols = 0;
    std::vector<QString> m_cells;
    std::unique_ptr<RowSource> m_source;
    int m_sourceFirst = 0;
};

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), m_model(new FlexGridModel(this))
{
    QFont gridFont(QStringLiteral("Noto Sans CJK SC"));
    gridFont.setPointSize(9);
    setFont(gridFont);
    setModel(m_model);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(Twips::toPixels(240) + 4);
    // Rows keep the default height: the view need not measure them.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(Twips::toPixels(DefaultColWidthTwips));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    m_model->resize(2, 2);
    m_aligns.resize(2, Qt::Alignment());
    // The current cell starts at the first cell that is not fixed.
    setCurrentIndex(m_model->index(1, 1));
}

int FlexGrid::Rows() const { return m_model->rows(); }

int FlexGrid::Cols() const { return m_model->cols(); }

void FlexGrid::setRows(int rows) { m_model->resize(rows, m_model->cols()); }

void FlexGrid::setCols(int cols)
{
    m_model->resize(m_model->rows(), cols);
    m_aligns.resize(size_t(m_model->cols()), Qt::Alignment());
}

void FlexGrid::setFixedRows(int rows)
{
    m_fixedRows = rows;
    m_model->restyle();
}

void FlexGrid::setFixedCols(int cols)
{
    m_fixedCols = cols;
    m_model->restyle();
}

void FlexGrid::clearToOneEmptyRow()
{
    setRows(m_fixedRows + 1);
    for (int c = 0; c < Cols(); ++c)
        setTextMatrix(m_fixedRows, c, QString());
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return {};
    return m_model->text(row, col);
}

void FlexGrid::beginBulkWrite() { m_model->setQuiet(true); }

void FlexGrid::endBulkWrite() { m_model->setQuiet(false); }

void FlexGrid::showRows(std::unique_ptr<RowSource> rows)
{
    m_model->showRows(m_fixedRows, std::move(rows));
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return;
    m_model->setText(row, col, text);
}

int FlexGrid::ColWidth(int col) const { return Twips::fromPixels(columnWidth(col)); }

void FlexGrid::setColWidth(int col, int twips) { setColumnWidth(col, Twips::toPixels(twips)); }

Qt::Alignment FlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < int(m_aligns.size()) ? m_aligns[size_t(col)] : Qt::Alignment();
}

void FlexGrid::setColAlignment(int col, Qt::Alignment align)
{
    if (col < 0)
        return;
    if (col >= int(m_aligns.size()))
        m_aligns.resize(size_t(col) + 1, Qt::Alignment());
    m_aligns[size_t(col)] = align;
    if (col < Cols() && Rows() > 0)
        emit m_model->dataChanged(m_model->index(0, col), m_model->index(Rows() - 1, col), {Qt::TextAlignmentRole});
}

QStringList FlexGrid::rowTexts(int row) const
{
    QStringList out;
    for (int c = 0; c < Cols(); ++c)
        out << TextMatrix(row, c);
    return out;
}
