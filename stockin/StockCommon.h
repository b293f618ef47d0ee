#pragma once
// What the stock-in and stock-out windows share: how they show numbers and
// days, their pick-only lists of "[code]name" entries, the fixed grey boxes of
// their dialogs, and the bill lists that hold every bill of years.
#include <QComboBox>
#include <QDate>
#include <QHash>
#include <QLineEdit>
#include <QStringList>
#include <vector>
#include "db/Decimal.h"
#include "platform/ModelListView.h"
#include "platform/Twips.h"

namespace StockText {

// A stored value as a list shows it: as stored, Null as an empty text.
QString shown(const QVariant& stored);
// A stored number shown without a format (below); Null as an empty text.
QString shownNumber(const QVariant& stored);
// A number shown without a format: no thousands separators, no fixed
// decimals, no trailing zeros, at most 15 significant digits ("7", "3.75",
// "0.5", "-2").
QString plain(Decimal value);
// The same without the zero before the point of a value below 1 (".5").
QString plainNoLeadingZero(Decimal value);
// "#######0.00": two decimals.
QString twoDecimals(Decimal value);
// Blanks in front up to width characters; a longer text is left as it is.
QString padded(const QString& text, int width = 10);
// A stored day ("yyyy-MM-dd 00:00:00") as the lists show it ("yyyy-MM-dd");
// a stored time of day other than midnight is shown with it.
QString shownDay(const QString& stored);

} // namespace StockText

// Pick-only lists of "[code]name" entries: each entry carries its code and
// its name as item data, so neither is ever cut out of the shown text.
namespace CodeNameList {

// Fills the list from a statement whose two columns are code and name, in
// the order the rows come.
void fill(QComboBox* list, const QString& sql);
// The employed staff (cust with use_type "1").
void fillStaff(QComboBox* list);
QString code(const QComboBox* list);   // of the chosen entry; empty without one
QString name(const QComboBox* list);
// The first (or the last) entry whose name equals the text; -1 when none.
int findName(const QComboBox* list, const QString& name, bool last = false);

} // namespace CodeNameList

// The names of the goods classes, in the order stored. Throws DbError.
QStringList GoodsClassNames();

class TreeView;
class QTreeWidgetItem;
// Adds the goods classes under root, in the order stored, each keyed by the
// prefix, its name and its code, and under each class its goods, keyed
// "Index" and the goods code: the goods a class has are those the condition
// joins to it (goods g, class c). Returns the first class node, or nullptr.
// Throws DbError.
QTreeWidgetItem* AddClassTree(TreeView* tree, QTreeWidgetItem* root, const QString& goodsOfClass,
                              const QString& classKeyPrefix);

// A disabled box with the light grey background (224, 224, 224) that shows
// what the system fixes (a bill's number and date, a line's goods).
void MakeFixedBox(QLineEdit* box);

// The bills of one bill table as a bill list shows them: every bill, or those
// of a range of days, in the order they were stored. Only the bills' row ids
// are read when the list is loaded; the cells of a row are read when the list
// shows or asks for it, a page of rows at a time, so a list of every bill of
// years opens at once.
class BillRows : public RowSource {
public:
    enum Kind { Text, Number, Day };
    struct Column {
        QString name;   // stored column
        Kind kind;
    };
    BillRows(const QString& table, const QString& dayColumn, std::vector<Column> columns);

    // Throw DbError; the rows held before stay when a read fails.
    // Every bill in the order of its row; the first FetchRows are read at
    // once, the others as the list asks for more (readMore, takeMore).
    void loadAll();
    // Bills whose day is on or after from and on or before to, all at once.
    void loadDays(const QDate& from, const QDate& to);
    void clear();

    int rowCount() const override { return int(m_ids.size()); }
    QString cell(int row, int column) const override;
    bool canFetchMore() const override { return m_more; }
    int readMore() const override;
    void takeMore() const override;

    static constexpr int FetchRows = 1024;

private:
    // The rows of up to FetchRows bills after the given row, in order.
    std::vector<qint64> readIds(qint64 after) const;
    const QStringList& rowCells(int row) const;

    QString m_table;
    QString m_dayColumn;
    std::vector<Column> m_columns;
    // The rows of the list, and those read but not yet taken into it.
    mutable std::vector<qint64> m_ids, m_fetched;
    mutable bool m_more = false;
    mutable QHash<int, std::vector<QStringList>> m_pages;
};

// Small builders of the stock windows' controls, placed in twips.
class QLabel;
class QDateEdit;
namespace StockUi {
QLabel* label(QWidget* parent, const QString& text, int left, int top, int width, int height = 270);
// A date picker showing days as the system shows them.
QDateEdit* datePicker(QWidget* parent, int left, int top, int width);
// A box with its label beside it: the label at left, the box after it.
template <class Box> Box* field(QWidget* parent, const QString& caption, Box* box, int left, int top, int labelWidth,
                                int boxWidth)
{
    label(parent, caption, left, top + 45, labelWidth);
    box->setParent(parent);
    Twips::place(box, left + labelWidth, top, boxWidth, 330);
    return box;
}
} // namespace StockUi
