#include "platform/TextLinesView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QResizeEvent>
#include <QScrollBar>
#include <climits>
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

// The source's lines as a list model of one column.
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

TextLinesView::TextLinesView(QWidget* parent) : QAbstractItemView(parent)
{
    m_model = new Model(this);
    setModel(m_model);
    setItemDelegate(new Delegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_lineHeight = QFontMetrics(font()).lineSpacing();
}

TextLinesView::~TextLinesView() = default;

void TextLinesView::setSource(const RowSource* source)
{
    m_source = source;
    reloadLines(m_widestLine);
}

void TextLinesView::reloadLines(int widestLine)
{
    m_widestLine = widestLine;
    {
        const QSignalBlocker block(selectionModel());
        m_model->reset();
    }
    updateGeometries();
    verticalScrollBar()->setValue(0);
    viewport()->update();
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

int TextLinesView::contentWidth() const
{
    return std::max(m_widestLine, viewport()->width());
}

std::pair<int, int> TextLinesView::visibleLines() const
{
    const int h = lineHeight();
    const int first = std::max(0, verticalOffset() / h);
    const int last = std::min(lineCount() - 1, (verticalOffset() + viewport()->height() - 1) / h);
    return {first, last};
}

QRect TextLinesView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != m_model || index.row() >= lineCount())
        return QRect();
    const int h = lineHeight();
    return QRect(-horizontalOffset(), index.row() * h - verticalOffset(), contentWidth(), h);
}

void TextLinesView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.row() >= lineCount())
        return;
    // A view not shown yet has its size without its viewport laid out to it.
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        QResizeEvent resize(size(), size());
        QCoreApplication::sendEvent(this, &resize);
        setAttribute(Qt::WA_PendingResizeEvent, false);
    }
    const int h = lineHeight();
    const int top = index.row() * h, bottom = top + h, height = viewport()->height();
    int v = verticalOffset();
    switch (hint) {
    case PositionAtTop: v = top; break;
    case PositionAtBottom: v = bottom - height; break;
    case PositionAtCenter: v = top - (height - h) / 2; break;
    case EnsureVisible:
        if (top < v)
            v = top;
        else if (bottom > v + height)
            v = bottom - height;
        break;
    }
    verticalScrollBar()->setValue(v);
}

QModelIndex TextLinesView::indexAt(const QPoint& point) const
{
    const int y = point.y() + verticalOffset();
    if (y < 0 || point.x() + horizontalOffset() >= contentWidth())
        return QModelIndex();
    const int row = y / lineHeight();
    return row < lineCount() ? m_model->index(row, 0) : QModelIndex();
}

QModelIndex TextLinesView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int rows = lineCount();
    if (rows == 0)
        return QModelIndex();
    const int page = std::max(1, viewport()->height() / lineHeight());
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int row = current;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious: row = current - 1; break;
    case MoveDown:
    case MoveNext: row = current + 1; break;
    case MovePageUp: row = current - page; break;
    case MovePageDown: row = current + page; break;
    case MoveHome: row = 0; break;
    case MoveEnd: row = rows - 1; break;
    case MoveLeft:
    case MoveRight:
        horizontalScrollBar()->triggerAction(cursorAction == MoveLeft ? QAbstractSlider::SliderSingleStepSub
                                                                      : QAbstractSlider::SliderSingleStepAdd);
        return currentIndex();
    }
    return m_model->index(std::clamp(row, 0, rows - 1), 0);
}

int TextLinesView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int TextLinesView::verticalOffset() const
{
    return verticalScrollBar()->value();
}

bool TextLinesView::isIndexHidden(const QModelIndex&) const
{
    return false;
}

void TextLinesView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const int rows = lineCount();
    const int h = lineHeight();
    const QRect r = rect.normalized();
    const int top = std::max(0, (r.top() + verticalOffset()) / h);
    const int bottom = std::min(rows - 1, (r.bottom() + verticalOffset()) / h);
    QItemSelection selection;
    if (rows > 0 && top <= bottom && r.bottom() + verticalOffset() >= 0)
        selection.select(m_model->index(top, 0), m_model->index(bottom, 0));
    selectionModel()->select(selection, command);
}

QRegion TextLinesView::visualRegionForSelection(const QItemSelection& selection) const
{
    const auto [first, last] = visibleLines();
    QRegion region;
    const int h = lineHeight();
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first), bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            region += QRect(0, top * h - verticalOffset(), viewport()->width(), (bottom - top + 1) * h);
    }
    return region;
}

void TextLinesView::updateGeometries()
{
    const int h = lineHeight();
    const qint64 height = qint64(lineCount()) * h;
    verticalScrollBar()->setSingleStep(h);
    verticalScrollBar()->setPageStep(std::max(h, viewport()->height()));
    verticalScrollBar()->setRange(0, int(std::clamp<qint64>(height - viewport()->height(), 0, INT_MAX)));
    horizontalScrollBar()->setSingleStep(std::max(1, QFontMetrics(font()).averageCharWidth() * 2));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth() - viewport()->width()));
    QAbstractItemView::updateGeometries();
}

void TextLinesView::scrollContentsBy(int dx, int dy)
{
    QAbstractItemView::scrollContentsBy(dx, dy);
}

void TextLinesView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const QModelIndex current = currentIndex();
    const auto [first, last] = visibleLines();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_model->index(row, 0);
        QStyleOptionViewItem option = base;
        option.rect = visualRect(index);
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&painter, option, index);
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
    QAbstractItemView::keyPressEvent(event);
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
    QAbstractItemView::changeEvent(event);
    // A line is as high as a line of the text in the view's font.
    if (event->type() == QEvent::FontChange) {
        m_lineHeight = std::max(1, QFontMetrics(font()).lineSpacing());
        updateGeometries();
        viewport()->update();
    }
}
