#include "platform/FlexGrid.h"

#include <QFont>
#include <QHeaderView>
#include "platform/Twips.h"

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent)
{
    QFont gridFont(QStringLiteral("Noto Sans CJK SC"));
    gridFont.setPointSize(9);
    setFont(gridFont);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(Twips::toPixels(240) + 4);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(Twips::toPixels(DefaultColWidthTwips));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setRowCount(2);
    setColumnCount(2);
    restyle();
    // The current cell starts at the first cell that is not fixed.
    setCurrentCell(1, 1);
}

void FlexGrid::setRows(int rows)
{
    const int before = rowCount();
    setRowCount(qMax(0, rows));
    for (int r = before; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            setTextMatrix(r, c, QString());
}

void FlexGrid::setCols(int cols)
{
    const int before = columnCount();
    setColumnCount(qMax(0, cols));
    m_aligns.resize(columnCount(), Qt::Alignment());
    for (int c = before; c < columnCount(); ++c)
        for (int r = 0; r < rowCount(); ++r)
            setTextMatrix(r, c, QString());
}

void FlexGrid::setFixedRows(int rows)
{
    m_fixedRows = rows;
    restyle();
}

void FlexGrid::setFixedCols(int cols)
{
    m_fixedCols = cols;
    restyle();
}

void FlexGrid::clearToOneEmptyRow()
{
    setRows(m_fixedRows + 1);
    for (int c = 0; c < columnCount(); ++c)
        setTextMatrix(m_fixedRows, c, QString());
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem* i = item(row, col);
    return i ? i->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    QTableWidgetItem* i = item(row, col);
    if (!i) {
        i = new QTableWidgetItem();
        setItem(row, col, i);
    }
    i->setText(text);
    styleCell(row, col, i);
}

int FlexGrid::ColWidth(int col) const { return Twips::fromPixels(columnWidth(col)); }

void FlexGrid::setColWidth(int col, int twips) { setColumnWidth(col, Twips::toPixels(twips)); }

Qt::Alignment FlexGrid::ColAlignment(int col) const
{
    return col >= 0 && col < int(m_aligns.size()) ? m_aligns[col] : Qt::Alignment();
}

void FlexGrid::setColAlignment(int col, Qt::Alignment align)
{
    if (col < 0)
        return;
    if (col >= int(m_aligns.size()))
        m_aligns.resize(col + 1, Qt::Alignment());
    m_aligns[col] = align;
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem* i = item(r, col))
            styleCell(r, col, i);
}

QStringList FlexGrid::rowTexts(int row) const
{
    QStringList out;
    for (int c = 0; c < columnCount(); ++c)
        out << TextMatrix(row, c);
    return out;
}

// Headings are centred on the button face; other cells follow their column,
// and a column of general alignment puts numbers right and text left.
void FlexGrid::styleCell(int row, int col, QTableWidgetItem* i) const
{
    const bool fixed = row < m_fixedRows || col < m_fixedCols;
    i->setFlags(fixed ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    i->setBackground(fixed ? palette().button() : palette().base());
    Qt::Alignment align = ColAlignment(col);
    if (row < m_fixedRows) {
        align = Qt::AlignHCenter;
    } else if (!align) {
        bool number = false;
        i->text().toDouble(&number);
        align = number ? Qt::AlignRight : Qt::AlignLeft;
    }
    i->setTextAlignment(align | Qt::AlignVCenter);
}

void FlexGrid::restyle()
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            setTextMatrix(r, c, TextMatrix(r, c));
}
