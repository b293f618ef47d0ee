#include "platform/Pictures.h"

#include <QApplication>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

int ImageList::add(const QPixmap& picture)
{
    QPixmap p = picture;
    if (!p.isNull() && (p.width() != m_size || p.height() != m_size))
        p = p.scaled(m_size, m_size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_icons.push_back(QIcon(p));
    return int(m_icons.size());
}

QIcon ImageList::icon(int index) const
{
    if (index < 1 || index > count())
        return {};
    return m_icons[index - 1];
}

namespace Pictures {

namespace {

QPixmap transparent(int w, int h)
{
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

void drawCentred(QPainter& painter, const QRect& box, const QString& text, const QColor& ink, double scale)
{
    QFont f = painter.font();
    f.setBold(true);
    f.setPixelSize(qMax(6, int(box.height() * scale)));
    painter.setFont(f);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

QPixmap characterTile(const QString& ch, const QColor& ink, const QColor& tile, int size)
{
    QPixmap p = transparent(size, size);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, tile.lighter(135));
    g.setColorAt(1, tile);
    painter.setBrush(g);
    painter.setPen(QPen(tile.darker(160), 1));
    painter.drawRoundedRect(r, size / 8.0, size / 8.0);
    drawCentred(painter, p.rect(), ch, ink, 0.62);
    return p;
}

QPixmap character(const QString& ch, const QColor& ink, int size)
{
    QPixmap p = transparent(size, size);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawCentred(painter, p.rect(), ch, ink, 0.85);
    return p;
}

QPixmap square(const QColor& fill, int size)
{
    QPixmap p = transparent(size, size);
    QPainter painter(&p);
    const int inset = qMax(1, size / 8);
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.drawRect(QRect(inset, inset, size - 2 * inset - 1, size - 2 * inset - 1));
    return p;
}

QPixmap badge(const QString& symbol, const QColor& colour, int size)
{
    QPixmap p = transparent(size, size);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(140));
    g.setColorAt(1, colour.darker(115));
    painter.setBrush(g);
    painter.setPen(QPen(colour.darker(170), 1));
    painter.drawEllipse(r);
    drawCentred(painter, p.rect(), symbol, Qt::white, 0.55);
    return p;
}

QPixmap backdrop(const QSize& size, const QColor& top, const QColor& bottom)
{
    QPixmap p(size.isEmpty() ? QSize(1, 1) : size);
    QPainter painter(&p);
    QLinearGradient g(0, 0, 0, p.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    painter.fillRect(p.rect(), g);
    return p;
}

QPixmap titledBackdrop(const QSize& size, const QColor& top, const QColor& bottom, const QString& title,
                       const QColor& textColour)
{
    QPixmap p = backdrop(size, top, bottom);
    QPainter painter(&p);
    painter.setPen(textColour);
    QFont f = painter.font();
    f.setPixelSize(qMax(1, p.height() / 6));
    f.setBold(true);
    painter.setFont(f);
    painter.drawText(QRect(0, p.height() / 12, p.width(), p.height() / 4), Qt::AlignCenter, title);
    return p;
}

QIcon standardFace(QStyle::StandardPixmap picture)
{
    return QApplication::style()->standardIcon(picture);
}

} // namespace Pictures
