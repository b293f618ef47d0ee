#pragma once
// A report grid: a number of rows and columns of text cells, the first rows
// and columns fixed (drawn as headings), each column with a width in twips
// and an alignment. Cells are addressed by row and column from 0, fixed ones
// included, so row 0 holds the headings.
//
// The cells are plain texts in a model of the grid's own: a grid that holds
// a year of report rows costs a text per cell, not a widget item, and only
// the cells on screen are styled.
#include <QTableView>
#include <memory>
#include <vector>
#include "platform/ModelListView.h"

class FlexGridModel;

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    int Cols() const;
    // Growing adds empty rows or columns; shrinking drops the last ones.
    void setRows(int rows);
    void setCols(int cols);
    void setFixedRows(int rows);
    void setFixedCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }

    // Cuts the grid to its fixed rows and one row with every cell emptied.
    void clearToOneEmptyRow();

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Cells written between these two are shown once, at the end, not cell
    // by cell: for lists of many rows.
    void beginBulkWrite();
    void endBulkWrite();
    // The rows after the fixed ones become the rows of the source, their
    // texts made when shown or read: a year of report rows is held as the
    // report's own plain values, not a text per cell. The source's cells are
    // read only; setting the rows or clearing the grid lets it go again.
    void showRows(std::unique_ptr<RowSource> rows);

    // Width in twips; a column never set keeps the default width.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    // No alignment set (the default) is general: numbers right, text left.
    Qt::Alignment ColAlignment(int col) const;
    void setColAlignment(int col, Qt::Alignment align);

    // Every cell of a row, as text (tests and callers that compare rows).
    QStringList rowTexts(int row) const;

    static constexpr int DefaultColWidthTwips = 960;

private:
    friend class FlexGridModel;
    FlexGridModel* m_model;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    std::vector<Qt::Alignment> m_aligns;
};
