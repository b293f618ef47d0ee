#include "platform/TextLinesView.h"

#include <QAbstractListModel>
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

class TextLinesView::Model : public QAbstractListModel {
public:
    explicit Model(TextLinesView* view) : QAbstractListModel(view), m_view(view) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_view->lineCount(); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return {};
        return m_view->line(index.row());
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    TextLinesView* m_view;
};

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

TextLinesView::TextLinesView(QWidget* parent) : QTableView(parent)
{
    m_model = new Model(this);
    m_delegate = new Delegate(this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Rows of one height: the view keeps no record per line.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).lineSpacing());
}

TextLinesView::~TextLinesView() = default;

void TextLinesView::setSource(const RowSource* source)
{
    m_source = source;
    reload();
}

void TextLinesView::reload(int widestLine)
{
    m_widestLine = widestLine;
    {
        const QSignalBlocker block(selectionModel());
        m_model->reset();
    }
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

int TextLinesView::lineCount() const
{
    return m_source ? m_source->rowCount() : 0;
}

QString TextLinesView::line(int row) const
{
    if (!m_source || row < 0 || row >= lineCount())
        return QString();
    try {
        return m_source->cell(row, 0);
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
    QTableView::keyPressEvent(event);
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
    QTableView::changeEvent(event);
    // A line is as high as a line of the text in the view's font.
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).lineSpacing());
}

void TextLinesView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumn();
}

// One column as wide as the widest line, at least the view's width.
void TextLinesView::fitColumn()
{
    setColumnWidth(0, std::max(m_widestLine, viewport()->width()));
}
