#pragma once
// A read-only text shown line by line from a row source (column 0 of each
// row is one line), for texts of millions of lines: it keeps nothing per
// line (lines are of one height, so a line's place is worked out from its
// number) and asks for a line's text only when it shows it. TABs move to the
// next tab stop as in a text box. The user scrolls, selects whole lines
// (click, Shift and Ctrl clicks, Ctrl+A) and copies them (Ctrl+C or the
// context menu). Read like a read-only plain text box (toPlainText,
// blockCount), so windows and tests treat both alike.
#include <QAbstractItemView>
#include "platform/ModelListView.h"

class TextLinesView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit TextLinesView(QWidget* parent = nullptr);
    ~TextLinesView() override;

    // The lines shown; the source must outlive its showing (nullptr: none).
    void setSource(const RowSource* source);
    // The source's lines changed: shows them afresh, from the top, with
    // nothing selected. widestLine is the width of the widest line in
    // pixels (0: the view's width), so that every line can be scrolled into view.
    void reloadLines(int widestLine = 0);

    void setTabStopDistance(qreal pixels);
    qreal tabStopDistance() const { return m_tabStop; }
    // The pixels a line of this text takes in the view's font, TABs expanded.
    int lineWidth(const QString& line) const;

    bool isReadOnly() const { return true; }
    int lineCount() const;
    // The line's text; empty when it cannot be made.
    QString line(int row) const;
    // As a plain text box: the lines joined by LF; an empty text is one empty block.
    QString toPlainText() const;
    int blockCount() const { return std::max(1, lineCount()); }

    // The selected lines in order, joined by LF.
    QString selectedText() const;
    void copy() const;

    // QAbstractItemView: lines of one height, one below the other.
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;

    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int lineHeight() const { return m_lineHeight; }
    int contentWidth() const;
    // The first and last line (inclusive) at least partly within the viewport.
    std::pair<int, int> visibleLines() const;
    class Model;
    class Delegate;
    Model* m_model;
    const RowSource* m_source = nullptr;
    qreal m_tabStop = 80;
    int m_widestLine = 0;
    int m_lineHeight = 16;
};
