#pragma once
// Window geometry is designed in twips; Qt works in pixels. 15 twips make one
// pixel at 96 dpi. Code keeps designed values in twips and converts here only.
#include <QRect>
#include <QWidget>

namespace Twips {

constexpr int PerPixel = 15;

constexpr int toPixels(int twips) { return twips / PerPixel; }
constexpr int fromPixels(int pixels) { return pixels * PerPixel; }

// Places a widget at a designed position and size, all in twips.
inline void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
inline void move(QWidget* w, int left, int top) { w->move(toPixels(left), toPixels(top)); }
inline void resize(QWidget* w, int width, int height) { w->resize(toPixels(width), toPixels(height)); }
inline void setTop(QWidget* w, int top) { w->move(w->x(), toPixels(top)); }
inline void setLeft(QWidget* w, int left) { w->move(toPixels(left), w->y()); }
inline void setHeight(QWidget* w, int height) { w->resize(w->width(), toPixels(height)); }
inline void setWidth(QWidget* w, int width) { w->resize(toPixels(width), w->height()); }

inline int left(const QWidget* w) { return fromPixels(w->x()); }
inline int top(const QWidget* w) { return fromPixels(w->y()); }
inline int width(const QWidget* w) { return fromPixels(w->width()); }
inline int height(const QWidget* w) { return fromPixels(w->height()); }

} // namespace Twips
