#pragma once
// A tabbed control whose tabs are counted from 0 and told apart by their
// captions, as windows with several pages expect: the window asks which
// caption is in front and acts on that page.
#include <QString>
#include <QTabWidget>

class TabControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    // Adds a page with its own empty container and returns the container.
    QWidget* addPage(const QString& caption);

    QString caption(int index) const { return tabText(index); }
    // The caption of the tab in front (empty when there are no tabs).
    QString currentCaption() const;
    int Tab() const { return currentIndex(); }
    // Brings a tab to the front from code (the tab-change signal still fires).
    void setTab(int index) { setCurrentIndex(index); }
    // As a user: click the tab with the given caption; false when none has it.
    bool clickCaption(const QString& caption);
    int indexOfCaption(const QString& caption) const;
};
