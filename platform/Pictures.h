#pragma once
// Pictures drawn in code, where the design has small picture files: image
// lists indexed from 1, tiles with a character, coloured marks, toolbar faces
// and window backgrounds.
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStyle>
#include <vector>

// A list of pictures of one size, counted from 1 as the design counts them.
class ImageList {
public:
    explicit ImageList(int sizePixels = 16) : m_size(sizePixels) {}
    int imageSize() const { return m_size; }
    // Adds a picture, scaled to the list's size; returns its index.
    int add(const QPixmap& picture);
    int count() const { return int(m_icons.size()); }
    // The picture at index (from 1); a null icon for any other index.
    QIcon icon(int index) const;
    void clear() { m_icons.clear(); }

private:
    int m_size;
    std::vector<QIcon> m_icons;
};

namespace Pictures {

// A character centred on a rounded square tile.
QPixmap characterTile(const QString& character, const QColor& ink, const QColor& tile, int size);
// A character alone, drawn in ink on a transparent ground.
QPixmap character(const QString& character, const QColor& ink, int size);
// A filled square with a thin dark edge.
QPixmap square(const QColor& fill, int size);
// A toolbar face: a round coloured badge with a symbol in white.
QPixmap badge(const QString& symbol, const QColor& colour, int size);
// A toolbar or button face from the desktop style's standard pictures.
QIcon standardFace(QStyle::StandardPixmap picture);
// A soft vertical gradient, for a window's background picture.
QPixmap backdrop(const QSize& size, const QColor& top, const QColor& bottom);
// The same with a bold title across its upper part (height / 6 pixels high).
QPixmap titledBackdrop(const QSize& size, const QColor& top, const QColor& bottom, const QString& title,
                       const QColor& textColour);

} // namespace Pictures
