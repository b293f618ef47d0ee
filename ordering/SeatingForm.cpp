#include "ordering/SeatingForm.h"

#include "ordering/OrderingData.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

SeatingForm::SeatingForm(const QString& caption, const QString& okCaption)
{
    setWindowTitle(caption);
    setClientSizeTwips(6720, 3720);
    setFixedSize(size());

    auto box = [this] { return new QLineEdit(this); };
    TxtXTBH = box();
    TxtFTMC = box();
    TxtSSBM = box();
    TxtKTSJ = box();
    // The boxes that only show the seating stay out of the Tab order: the
    // dialog opens in the first field the user fills, the shift. A click
    // still reaches them, to select and copy.
    for (QLineEdit* shown : {TxtXTBH, TxtFTMC, TxtSSBM, TxtKTSJ}) {
        shown->setReadOnly(true);
        shown->setFocusPolicy(Qt::ClickFocus);
    }
    CmbBC = new QComboBox(this);
    CmbBC->addItems({QStringLiteral("早班"), QStringLiteral("中班"), QStringLiteral("晚班")});
    CmbFWY = new QComboBox(this);
    CmbDCY = new QComboBox(this);
    TxtJCRS = box();
    MaxLengthFilter(TxtJCRS, 3);
    TxtBZ = box();

    // Two columns, row by row: left label and box, right label and box.
    const struct { const char* label; QWidget* field; int column; int row; } fields[] = {
        {"系统编号", TxtXTBH, 0, 0}, {"房台名称", TxtFTMC, 1, 0},
        {"所属部门", TxtSSBM, 0, 1}, {"开台时间", TxtKTSJ, 1, 1},
        {"班    次", CmbBC, 0, 2},   {"就餐人数", TxtJCRS, 1, 2},
        {"服 务 员", CmbFWY, 0, 3},  {"点 菜 员", CmbDCY, 1, 3},
    };
    for (const auto& f : fields) {
        auto* label = new QLabel(QString::fromUtf8(f.label), this);
        const int left = f.column == 0 ? 180 : 3420;
        Twips::place(label, left, 240 + f.row * 480, 900, 330);
        Twips::place(f.field, left + 960, 210 + f.row * 480, 2160, 345);
        label->setBuddy(f.field);
        m_labels.emplace_back(label, f.field);
    }
    auto* remark = new QLabel(QStringLiteral("备　　注"), this);
    Twips::place(remark, 180, 240 + 4 * 480, 900, 330);
    Twips::place(TxtBZ, 1140, 210 + 4 * 480, 5400, 345);
    m_labels.emplace_back(remark, TxtBZ);

    Command1 = new QPushButton(okCaption, this);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command1, 2040, 2940, 1200, 420);
    Twips::place(Command2, 3480, 2940, 1200, 420);
    for (QPushButton* b : {Command1, Command2})
        b->setAutoDefault(false);
    setTabOrder(CmbBC, CmbFWY);
    setTabOrder(CmbFWY, TxtJCRS);
    setTabOrder(TxtJCRS, CmbDCY);
    setTabOrder(CmbDCY, TxtBZ);
    setTabOrder(TxtBZ, Command1);
    setTabOrder(Command1, Command2);
}

QString SeatingForm::labelOf(const QWidget* field) const
{
    for (const auto& [label, f] : m_labels)
        if (f == field)
            return label->text();
    return {};
}

void SeatingForm::fillEmployees()
{
    const QStringList names = Ordering::employeeNames();
    for (QComboBox* list : {CmbDCY, CmbFWY}) {
        list->clear();
        list->addItems(names);
    }
}

bool SeatingForm::checkFields()
{
    const QString title = QStringLiteral("提示");
    if (!Ordering::parseDiners(TxtJCRS->text(), nullptr)) {
        MsgBox(QStringLiteral("请输入就餐人数"), Msg::Exclamation, title);
        TxtJCRS->setFocus();
        return false;
    }
    if (CmbFWY->currentIndex() < 0 || CmbFWY->currentText().isEmpty()) {
        MsgBox(QStringLiteral("请选择服务员"), Msg::Exclamation, title);
        CmbFWY->setFocus();
        return false;
    }
    if (CmbDCY->currentIndex() < 0 || CmbDCY->currentText().isEmpty()) {
        MsgBox(QStringLiteral("请选择点菜员"), Msg::Exclamation, title);
        CmbDCY->setFocus();
        return false;
    }
    return true;
}

int SeatingForm::diners() const
{
    int n = 0;
    Ordering::parseDiners(TxtJCRS->text(), &n);
    return n;
}
