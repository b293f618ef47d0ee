#pragma once
// List, tree and toolbar controls with the behaviour the windows expect:
// a list with report and large-icon views over one set of rows (item text,
// sub-items by column, a key and a tag per row, hidden columns of width 0),
// a tree whose nodes carry keys, and a toolbar whose buttons are counted from 1.
#include <QIcon>
#include <QListView>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <vector>
#include "platform/RowKeeping.h"

class ImageList;

// The shown text of an entry for a coded record in a list, tree or combo
// box: "[code]name". The entry carries its code as item data; this text is
// for the eye only and is never read back into a code.
inline QString CodeNameEntry(const QString& code, const QString& name) { return u'[' + code + u']' + name; }

// Calls report with the selected row (-1: none) each time the selected row
// changes, once the selection holds the row. A key or select() selects the
// row before it becomes current; a mouse press makes it current first and
// selects it afterwards, so the row is reported with the selection.
void followSelectedRow(QItemSelectionModel* selection, QObject* context, std::function<int()> selectedRow,
                       std::function<void(int)> report);

class ListView : public QStackedWidget {
    Q_OBJECT
public:
    enum View { Icon = 0, SmallIcon = 1, List = 2, Report = 3 };

    explicit ListView(QWidget* parent = nullptr);

    void setView(View view);
    View view() const { return m_view; }

    // Columns; widths in twips (-1: the default width; 0: hidden, data kept).
    void clearColumns();
    int addColumn(const QString& caption, int widthTwips = -1, Qt::Alignment align = Qt::AlignLeft);
    int columnCount() const;
    QString columnCaption(int column) const;
    int columnWidthTwips(int column) const;
    bool columnHidden(int column) const;

    // Rows, counted from 0. Column 0 is the item text, column i its SubItems(i).
    void clear();
    int count() const;
    // A row with its sub-items (columns 1, 2, ... in order) is made whole
    // before the list shows it: one change for the views, not one per cell.
    int add(const QString& text, const QString& key = {}, const QIcon& icon = {}, const QStringList& subItems = {});
    // Inserts a row before the given row (0: as the first row; count(): at the end).
    int insert(int row, const QString& text, const QString& key = {}, const QIcon& icon = {},
               const QStringList& subItems = {});
    QString text(int row) const;
    void setText(int row, const QString& text);
    QString subItem(int row, int column) const;
    void setSubItem(int row, int column, const QString& text);
    QString key(int row) const;
    QVariant tag(int row) const;
    void setTag(int row, const QVariant& tag);
    void setIcon(int row, const QIcon& icon);
    void remove(int row);
    int findKey(const QString& key) const;

    int selectedRow() const;   // -1 when nothing is selected
    void select(int row);      // selects without a click event

    void setIconSizePixels(int size);
    QStandardItemModel* model() const { return m_model; }
    QTreeView* reportView() const { return m_report; }
    QListView* iconView() const { return m_icons; }

    // Pictures from image lists, as a row carries them: the icon view shows
    // the row's large picture (from the Icons list), the report, list and
    // small-icon views its small picture (from the SmallIcons list). Indexes
    // count from 1; 0 is no picture. The lists must outlive the control.
    void setIcons(const ImageList* large);
    void setSmallIcons(const ImageList* small);
    int addWithPictures(const QString& text, const QString& key, int iconIndex, int smallIconIndex,
                        const QStringList& subItems = {});
    // Every row at once, in place of the rows there were: the views take
    // them in one reset, not one change per row, or, as many rows as there
    // were, only the cells that changed. Nothing is selected after.
    struct PictureRow {
        QString text, key;
        int iconIndex = 0, smallIconIndex = 0;
        QStringList subItems;
    };
    void setRowsWithPictures(const std::vector<PictureRow>& rows);
    int iconIndex(int row) const;
    int smallIconIndex(int row) const;
    // The picture the row shows in the current view.
    QIcon shownPicture(int row) const;

signals:
    void itemClick(int row);
    void itemDoubleClick(int row);
    // The selected row changed (by mouse, keyboard or select()); the row is
    // selected when this is raised.
    void selectionChanged(int row);

private:
    void ensureColumn(int column);
    QStandardItem* cell(int row, int column) const;
    // Makes the row's items, lets first finish its first item, then shows the row.
    QList<QStandardItem*> makeRow(const QString& text, const QString& key, const QIcon& icon,
                                  const QStringList& subItems, const std::function<void(QStandardItem*)>& first);
    int insertRow(int row, const QString& text, const QString& key, const QIcon& icon, const QStringList& subItems,
                  const std::function<void(QStandardItem*)>& first);
    QStandardItemModel* m_model;
    QItemSelectionModel* m_selection;
    QTreeView* m_report;
    QListView* m_icons;
    View m_view = Report;
    std::vector<int> m_widths;
    std::vector<Qt::Alignment> m_aligns;
    void applyPictures();
    void applyPicture(QStandardItem* first) const;
    const ImageList* m_largeList = nullptr;
    const ImageList* m_smallList = nullptr;
};

class TreeView : public RowKeepingView<QTreeWidget> {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent = nullptr);

    void clearNodes();
    // Adds a node under the node with parentKey (empty: a root node).
    QTreeWidgetItem* addNode(const QString& parentKey, const QString& key, const QString& text);
    // Adds a node under a node already at hand (nullptr: a root node), for
    // trees of many nodes, where looking the parent up by key would not do.
    QTreeWidgetItem* addChildNode(QTreeWidgetItem* parent, const QString& key, const QString& text);
    QTreeWidgetItem* node(const QString& key) const;
    static QString keyOf(const QTreeWidgetItem* item);
    QString selectedKey() const;
    QString selectedText() const;
    bool selectKey(const QString& key);         // selects without a click event
    int nodeCount() const;

    void setCheckboxes(bool on);
    bool checked(const QTreeWidgetItem* item) const;
    void setChecked(QTreeWidgetItem* item, bool on);

signals:
    // A node became the selected one, by mouse or keyboard, or the mouse
    // clicked the node that was already selected.
    void nodeClick(QTreeWidgetItem* item);
    // A node's check box changed by the user.
    void nodeCheck(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_checkboxes = false;
    bool m_settingCheck = false;
    QTreeWidgetItem* m_currentBeforePress = nullptr;
};

class Toolbar : public QToolBar {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);

    // Buttons are counted from 1, as the design numbers them.
    int addButton(const QString& caption, const QString& key = {}, const QIcon& icon = {});
    QToolButton* button(int index) const;
    int buttonCount() const { return int(m_actions.size()); }
    QString caption(int index) const;
    QString key(int index) const;
    // A drop-down menu on a button: items counted from 1, each with a key.
    // A click on the button itself is a button click; an item is a menu click.
    int addButtonMenu(int index, const QString& caption, const QString& key = {});
    int buttonMenuCount(int index) const;
    QString buttonMenuCaption(int index, int item) const;
    QString buttonMenuKey(int index, int item) const;
    // As a user: choose an item of a button's menu (nothing when the button
    // is disabled or hidden).
    void clickMenu(int index, int item);
    // Changes a button's face (its caption and picture); a window that keeps
    // its mode in a face reads it back with caption().
    void setButtonFace(int index, const QString& caption, const QIcon& icon);
    void setButtonVisible(int index, bool visible);
    bool buttonVisible(int index) const;
    void setButtonEnabled(int index, bool enabled);
    bool buttonEnabled(int index) const;
    // As a user: press the button (does nothing when it is disabled or hidden).
    void click(int index);

signals:
    void buttonClick(int index);
    void buttonMenuClick(int index, int item);

private:
    QAction* menuItem(int index, int item) const;
    std::vector<QAction*> m_actions;
};
