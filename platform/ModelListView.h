#pragma once
// A list in report view whose rows a window keeps itself, for lists that can
// hold hundreds of thousands of rows (every stock bill, a year of ledger
// lines): the list makes nothing per row (a table view of rows of one height
// keeps no record per row) and asks for the text of a cell only when it shows
// it. Read and driven like ListView (count, text, subItem,
// selection, clicks), so windows and tests treat both alike.
#include <QAbstractTableModel>
#include <QString>
#include <QTableView>
#include <vector>
#include "platform/RowKeeping.h"

// The rows of a list, cell by cell. Column 0 is the row's own text.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    // May throw DbError when the source reads its rows on demand.
    virtual QString cell(int row, int column) const = 0;
    // A source that reads its rows as the list is scrolled to them: whether
    // rows are left to read; readMore reads the next ones and says how many
    // (may throw DbError), takeMore then adds them to the rows.
    virtual bool canFetchMore() const { return false; }
    virtual int readMore() const { return 0; }
    virtual void takeMore() const {}
};

class ModelListView : public RowKeepingView<QTableView> {
    Q_OBJECT
public:
    explicit ModelListView(QWidget* parent = nullptr);
    ~ModelListView() override;

    // Columns; widths in twips (0: hidden).
    void clearColumns();
    int addColumn(const QString& caption, int widthTwips, Qt::Alignment align = Qt::AlignLeft);
    int columnCount() const { return int(m_columns.size()); }
    QString columnCaption(int column) const;
    int columnWidthTwips(int column) const;
    Qt::Alignment columnAlignment(int column) const;

    // The rows shown; the source must outlive its showing (nullptr: none).
    void setSource(const RowSource* source);
    const RowSource* source() const { return m_source; }
    // The source's rows changed: shows them afresh with nothing selected.
    void reload();

    int count() const;
    QString text(int row) const;
    QString subItem(int row, int column) const;

    int selectedRow() const;   // -1 when nothing is selected
    void select(int row);      // selects without a click event

signals:
    void itemClick(int row);
    void itemDoubleClick(int row);
    // The selected row changed (by mouse, keyboard or select()); the row is
    // selected when this is raised.
    void selectionChanged(int row);

protected:
    // Home and End go to the first and last row, as in every other list, not
    // to the ends of the row.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    class Model;
    struct Column {
        QString caption;
        int width;
        Qt::Alignment align;
    };
    Model* m_model;
    const RowSource* m_source = nullptr;
    std::vector<Column> m_columns;
};

// A ListView's rows as a row source (printing takes either kind of list).
class ListView;
class ListViewRows : public RowSource {
public:
    explicit ListViewRows(const ListView& list) : m_list(list) {}
    int rowCount() const override;
    QString cell(int row, int column) const override;

private:
    const ListView& m_list;
};
