#pragma once
// Dish sales by table type or specification: the dishes ordered in a period
// at the tables of one type or one specification, net of returns, for the
// whole menu, a category or one dish chosen in a tree, with a total row.
#include <QComboBox>
#include <QDateTimeEdit>
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Pictures.h"

class FrmDDTJ : public Form {
    Q_OBJECT
public:
    FrmDDTJ();

    Toolbar* Toolbar1;
    QDateTimeEdit* DateStart;
    QDateTimeEdit* DateEnd;
    QComboBox* ComboQueryType;   // "房台类型" or "房台规格"
    QComboBox* ComboValue;       // a type or a specification; its code as item data
    TreeView* TreeView1;
    ListView* ListView1;
    ImageList ImageList3{16};

    enum Button { BtnQuery = 1, BtnPrint, BtnHelp, BtnExit };
    static inline const QString ByType = QStringLiteral("房台类型");
    static inline const QString BySpecification = QStringLiteral("房台规格");

    void Form_Load() override;
    void ComboQueryTypeInit();
    void ComboQueryType_Click();
    void ComboValueFill();
    void TreeViewInit();
    void ListView1Init();
    void Toolbar1_ButtonClick(int index);
    void ListView1Query();
    void TreeView1_NodeClick();
};
