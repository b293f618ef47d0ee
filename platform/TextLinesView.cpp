#include "platform/TextLinesView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {

// The blank pixels before the first character of a line.
constexpr int LeftMargin = 4;

} // namespace

// Draws a line as a text box would: no wrapping, TABs to the tab stops.
class TextLinesView::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TextLinesView* view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        opt.state &= ~QStyle::State_HasFocus;
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                             : QPalette::Text));
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(m_view->tabStopDistance());
        painter->drawText(QRectF(opt.rect).adjusted(LeftMargin, 0, 0, 0), text, layout);
        painter->restore();
    }

private:
    TextLinesView* m_view;
};

TextLinesView::TextLinesView(QWidget* parent) : ModelListView(parent)
{
    addColumn(QString(), 0);
    setColumnHidden(0, false);
    setItemDelegate(new Delegate(this));
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).lineSpacing());
}

TextLinesView::~TextLinesView() = default;

void TextLinesView::reloadLines(int widestLine)
{
    m_widestLine = widestLine;
    reload();
    fitColumn();
    scrollToTop();
}

void TextLinesView::setTabStopDistance(qreal pixels)
{
    m_tabStop = pixels > 0 ? pixels : 80;
    viewport()->update();
}

int TextLinesView::lineWidth(const QString& line) const
{
    const QFontMetricsF fm(font());
    qreal x = 0;
    const QStringList pieces = line.split(u'\t');
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            x = (std::floor(x / m_tabStop) + 1) * m_tabStop;
        x += fm.horizontalAdvance(pieces[i]);
    }
    return int(std::ceil(x)) + 2 * LeftMargin;
}

QString TextLinesView::line(int row) const
{
    try {
        return text(row);
    } catch (const std::exception&) {
        return QString();
    }
}

QString TextLinesView::toPlainText() const
{
    QString text;
    for (int row = 0; row < lineCount(); ++row) {
        if (row > 0)
            text += u'\n';
        text += line(row);
    }
    return text;
}

QString TextLinesView::selectedText() const
{
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        ranges.emplace_back(r.top(), r.bottom());
    std::sort(ranges.begin(), ranges.end());
    QString text;
    int next = 0;   // rows before it are taken
    bool first = true;
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row) {
            if (!first)
                text += u'\n';
            text += line(row);
            first = false;
        }
        next = std::max(next, bottom + 1);
    }
    return text;
}

void TextLinesView::copy() const
{
    if (selectionModel()->hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

void TextLinesView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
        event->accept();
        return;
    }
    ModelListView::keyPressEvent(event);
}

void TextLinesView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("复制(&C)"), this, &TextLinesView::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(selectionModel()->hasSelection());
    QAction* all = menu.addAction(QStringLiteral("全选(&A)"), this, &QAbstractItemView::selectAll);
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(lineCount() > 0);
    menu.exec(event->globalPos());
}

void TextLinesView::changeEvent(QEvent* event)
{
    ModelListView::changeEvent(event);
    // A line is as high as a line of the text in the view's font.
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).lineSpacing());
}

void TextLinesView::resizeEvent(QResizeEvent* event)
{
    ModelListView::resizeEvent(event);
    fitColumn();
}

// One column as wide as the widest line, at least the view's width.
void TextLinesView::fitColumn()
{
    setColumnWidth(0, std::max(m_widestLine, viewport()->width()));
}
