#pragma once
// The employee records: the employed staff in a tree on the left, the thirty
// fields of the shown employee on the right, and a toolbar to query, add,
// edit, delete, save and leave. The window is in browse, add or edit mode,
// and the mode lives in the faces of toolbar buttons 2 and 3.
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QVariantMap>
#include <vector>
#include "platform/Controls.h"
#include "platform/Form.h"

class Recordset;

class FrmYGDA : public Form {
    Q_OBJECT
public:
    FrmYGDA();

    // Toolbar buttons, counted from 1 as designed.
    enum Button { BtnQuery = 1, BtnAdd, BtnEdit, BtnDelete, BtnSave, BtnExit };

    QLabel* Image1;
    Toolbar* Toolbar1;
    TreeView* TreeView1;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10, *Text11, *Text12,
        *Text13, *Text14;
    QComboBox *Combo1, *Combo2, *Combo3, *Combo4, *Combo5, *Combo6, *Combo7, *Combo8, *Combo9, *Combo10;
    QDateTimeEdit *DTPicker1, *DTPicker2, *DTPicker3, *DTPicker4, *DTPicker5, *DTPicker6;

    void Form_Load() override;
    void Toolbar1_ButtonClick(int index);
    void TreeView1_Click();

    // Rebuilds the tree from every employed employee; the first is selected.
    // The reads here return false when they failed (the user was told).
    bool EmployeeTreeInit();
    // Rebuilds the tree from rows holding code and name (the employee query
    // fills it this way too) and selects the first employee.
    void EmployeeTreeFill(Recordset& rows);
    bool ComboInit();
    bool ShowEmployee();
    // Empty fields for a new employee, with the lists read afresh; false,
    // with nothing changed, when the lists could not be read.
    bool ClearForNew();
    void DatesToToday();
    void EnableForEdit();
    void DisableFields();
    void SelectFirstItems();
    void SaveEmployee();
    void DeleteEmployee();
    void ShowEmployeeQuery();
    void CloseForm();

    bool inAddMode() const;
    bool inEditMode() const;
    // A date picker that shows no date (its stored date was empty).
    static bool showsNoDate(const QDateTimeEdit* picker);

protected:
    // Enter anywhere in the window moves to the next field in tab order.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setBrowseButtons();
    QVariantList fieldValues(bool withCode) const;

    std::vector<QLineEdit*> m_texts;       // Text1..Text14: columns 1..14
    std::vector<QDateTimeEdit*> m_dates;   // DTPicker1..DTPicker6: columns 15..20
    std::vector<QComboBox*> m_combos;      // Combo1..Combo10: columns 21..30
    std::vector<QWidget*> m_fields;        // all thirty, in tab order
    QString m_shownCode;   // of the employee whose row the fields show; empty before any
    // The shown row's stored values by column. A list or date field that shows
    // no choice (its stored value is not in the list, or no date) writes
    // them back unchanged.
    QVariantMap m_stored;
};
