#pragma once
// A read-only text shown line by line from a row source (column 0 of each
// row is one line), for texts of millions of lines: as the model-backed
// list it is, it keeps nothing per line and asks for a line's text only when
// it shows it. TABs move to the next tab stop as in a text box. The user
// scrolls, selects whole lines (click, Shift and Ctrl clicks, Ctrl+A) and
// copies them (Ctrl+C or the context menu). Read like a read-only plain text
// box (toPlainText, blockCount), so windows and tests treat both alike.
#include "platform/ModelListView.h"

class TextLinesView : public ModelListView {
    Q_OBJECT
public:
    explicit TextLinesView(QWidget* parent = nullptr);
    ~TextLinesView() override;

    // The source's lines changed: shows them afresh, from the top, with
    // nothing selected. widestLine is the width of the widest line in
    // pixels (0: the view's width), so that every line can be scrolled into view.
    void reloadLines(int widestLine = 0);

    void setTabStopDistance(qreal pixels);
    qreal tabStopDistance() const { return m_tabStop; }
    // The pixels a line of this text takes in the view's font, TABs expanded.
    int lineWidth(const QString& line) const;

    bool isReadOnly() const { return true; }
    int lineCount() const { return count(); }
    // The line's text; empty when it cannot be made.
    QString line(int row) const;
    // As a plain text box: the lines joined by LF; an empty text is one empty block.
    QString toPlainText() const;
    int blockCount() const { return std::max(1, lineCount()); }

    // The selected lines in order, joined by LF.
    QString selectedText() const;
    void copy() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumn();
    class Delegate;
    qreal m_tabStop = 80;
    int m_widestLine = 0;
};
