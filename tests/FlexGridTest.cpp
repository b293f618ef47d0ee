// The report grid: cells kept through growing and shrinking, how fixed and
// other cells are shown, and a grid of many rows staying whole.
#include <QPalette>
#include "platform/FlexGrid.h"
#include "tests/TestSupport.h"

namespace {

Qt::Alignment shownAlignment(const FlexGrid& g, int row, int col)
{
    return Qt::Alignment(g.model()->index(row, col).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
}

} // namespace

TEST_F(TabulorTest, FlexGridKeepsItsCellsWhenRowsAndColumnsChange)
{
    FlexGrid g;
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.Cols(), 2);
    g.setCols(4);
    g.setTextMatrix(0, 1, QStringLiteral("房台号"));
    g.setTextMatrix(1, 3, QStringLiteral("12.50"));
    g.setRows(4);
    g.setTextMatrix(3, 2, QStringLiteral("合  计:"));
    g.setTextMatrix(4, 0, QStringLiteral("outside"));   // past the last row: ignored
    EXPECT_EQ(g.rowTexts(0), QStringList({"", "房台号", "", ""}));
    EXPECT_EQ(g.rowTexts(1), QStringList({"", "", "", "12.50"}));
    EXPECT_EQ(g.rowTexts(3), QStringList({"", "", "合  计:", ""}));
    EXPECT_EQ(g.TextMatrix(4, 0), QString());

    g.setCols(3);   // the last column goes, the others stay
    EXPECT_EQ(g.rowTexts(0), QStringList({"", "房台号", ""}));
    g.setCols(4);   // and comes back empty
    EXPECT_EQ(g.TextMatrix(1, 3), QString());

    g.clearToOneEmptyRow();
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.rowTexts(0), QStringList({"", "房台号", "", ""}));
    EXPECT_EQ(g.rowTexts(1).join(QString()), QString());
    EXPECT_EQ(g.model()->rowCount(), 2);
}

TEST_F(TabulorTest, FlexGridShowsHeadingsCentredAndNumbersRightInGeneralColumns)
{
    FlexGrid g;
    g.setCols(3);
    g.setRows(3);
    g.setColAlignment(2, Qt::AlignLeft);
    g.setTextMatrix(0, 1, QStringLiteral("金额"));
    g.setTextMatrix(1, 1, QStringLiteral("95.00"));
    g.setTextMatrix(2, 1, QStringLiteral("大厅1"));
    g.setTextMatrix(1, 2, QStringLiteral("95.00"));
    EXPECT_EQ(shownAlignment(g, 0, 1), Qt::AlignHCenter);
    EXPECT_EQ(shownAlignment(g, 1, 1), Qt::AlignRight);
    EXPECT_EQ(shownAlignment(g, 2, 1), Qt::AlignLeft);
    EXPECT_EQ(shownAlignment(g, 1, 2), Qt::AlignLeft);   // the column's own alignment wins

    // Fixed cells look like buttons and cannot be selected.
    const QModelIndex heading = g.model()->index(0, 1), fixedColumn = g.model()->index(1, 0), cell = g.model()->index(1, 1);
    EXPECT_EQ(heading.data(Qt::BackgroundRole).value<QBrush>(), g.palette().button());
    EXPECT_EQ(cell.data(Qt::BackgroundRole).value<QBrush>(), g.palette().base());
    EXPECT_FALSE(fixedColumn.flags() & Qt::ItemIsSelectable);
    EXPECT_TRUE(cell.flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(g.currentIndex().row(), 1);
    EXPECT_EQ(g.currentIndex().column(), 1);
}

TEST_F(TabulorTest, FlexGridGrownRowByRowHoldsEveryRow)
{
    // As the reports fill it: one row more for each result row.
    FlexGrid g;
    g.setCols(5);
    for (int r = 0; r < 20000; ++r) {
        g.setRows(g.Rows() + 1);
        g.setTextMatrix(g.Rows() - 2, 1, QString::number(r));
    }
    EXPECT_EQ(g.Rows(), 20002);
    EXPECT_EQ(g.model()->rowCount(), 20002);
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("0"));
    EXPECT_EQ(g.TextMatrix(20000, 1), QStringLiteral("19999"));
    EXPECT_EQ(g.TextMatrix(20001, 1), QString());
}

// Rows shown from a source: their texts come from it when read or shown, the
// fixed rows stay the grid's own, and clearing the grid lets the source go.
TEST_F(TabulorTest, FlexGridShowsTheRowsOfASource)
{
    struct Numbers : RowSource {
        int rowCount() const override { return 3; }
        QString cell(int row, int column) const override
        {
            return column == 0 ? QString() : QString::number(row * 10 + column);
        }
    };
    FlexGrid g;
    g.setCols(3);
    g.setTextMatrix(0, 1, QStringLiteral("房台号"));
    g.setTextMatrix(1, 1, QStringLiteral("old"));
    g.showRows(std::make_unique<Numbers>());
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.model()->rowCount(), 4);
    EXPECT_EQ(g.rowTexts(0), QStringList({"", "房台号", ""}));
    EXPECT_EQ(g.rowTexts(1), QStringList({"", "1", "2"}));
    EXPECT_EQ(g.rowTexts(3), QStringList({"", "21", "22"}));
    EXPECT_EQ(g.model()->index(3, 2).data().toString(), QStringLiteral("22"));
    EXPECT_EQ(shownAlignment(g, 3, 2), Qt::AlignRight);
    g.setTextMatrix(2, 1, QStringLiteral("typed"));   // the source's rows are read only
    EXPECT_EQ(g.TextMatrix(2, 1), QStringLiteral("11"));

    g.clearToOneEmptyRow();
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.rowTexts(0), QStringList({"", "房台号", ""}));
    EXPECT_EQ(g.rowTexts(1), QStringList({"", "", ""}));
    g.setTextMatrix(1, 1, QStringLiteral("new"));
    EXPECT_EQ(g.TextMatrix(1, 1), QStringLiteral("new"));
}
