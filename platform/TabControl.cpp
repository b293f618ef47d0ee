#include "platform/TabControl.h"

TabControl::TabControl(QWidget* parent) : QTabWidget(parent)
{
    setDocumentMode(false);
    setUsesScrollButtons(false);
}

QWidget* TabControl::addPage(const QString& caption)
{
    auto* page = new QWidget(this);
    addTab(page, caption);
    return page;
}

QString TabControl::currentCaption() const
{
    return currentIndex() < 0 ? QString() : tabText(currentIndex());
}

int TabControl::indexOfCaption(const QString& caption) const
{
    for (int i = 0; i < count(); ++i)
        if (tabText(i) == caption)
            return i;
    return -1;
}

bool TabControl::clickCaption(const QString& caption)
{
    const int i = indexOfCaption(caption);
    if (i < 0)
        return false;
    setCurrentIndex(i);
    return true;
}
