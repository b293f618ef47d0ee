#include "stockin/FrmSPXG.h"

#include "db/Database.h"
#include "db/Money.h"
#include "db/Recordset.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "stockin/FrmSPDA.h"

TABULOR_REGISTER_FORM(FrmSPXG);

namespace {
constexpr int CodeLimit = 8, NameLimit = 10, SpecLimit = 10, PriceLimit = 6;
}

FrmSPXG::FrmSPXG() : GoodsDialog(QStringLiteral("商品修改"), false)
{
    MaxLengthFilter(Text1, CodeLimit);
    ReadOnlyKeyFilter(Text1);
    Text1->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(224, 224, 224); }"));
    MaxLengthFilter(Text2, NameLimit);
    MaxLengthFilter(Text3, SpecLimit);
    MaxLengthFilter(Text4, PriceLimit);
    Command1->setDefault(true);
    defaultButton = Command1;
    cancelButton = Command2;
}

void FrmSPXG::Form_Load()
{
    ComboInit(false);
    LoadSelectedGoods();
}

void FrmSPXG::LoadSelectedGoods()
{
    Form* found = Forms::find(QStringLiteral("FrmSPDA"));
    if (!found)
        return;
    const ListView* list = static_cast<FrmSPDA*>(found)->ListView1;
    const int row = list->selectedRow();
    if (row < 0)
        return;
    m_code = list->key(row);
    // Shown whole even where a stored value is longer than the field allows,
    // so that saving does not cut the name or the price short.
    SetStoredText(Text1, m_code, CodeLimit);
    SetStoredText(Text2, list->subItem(row, 1), NameLimit);
    SetStoredText(Text3, list->subItem(row, 4), SpecLimit);
    SetStoredText(Text4, list->subItem(row, 3), PriceLimit);
    Text12->setText(list->subItem(row, 6));

    Recordset goods;
    if (!RunLoadRead(*this, [&] { goods.open(QStringLiteral("select zl, zl_code, unit, proper from brand where code = ?"), {m_code}); })
        || goods.isEOF())
        return;
    m_storedClass = goods.field(QStringLiteral("zl"));
    m_storedClassCode = goods.field(QStringLiteral("zl_code"));
    m_storedUnit = goods.field(QStringLiteral("unit"));
    Combo1->setCurrentIndex(Combo1->findText(m_storedClass.toString().trimmed()));
    Combo3->setCurrentIndex(Combo1->currentIndex());
    Combo2->setCurrentIndex(Combo2->findText(m_storedUnit.toString()));
    checksFromProper(goods.field(QStringLiteral("proper")).toString());
}

void FrmSPXG::Command1_Click()
{
    if (!ValidateInput())
        return;
    const bool classChosen = Combo1->currentIndex() >= 0;
    const QVariant cls = classChosen ? QVariant(Combo1->currentText()) : m_storedClass;
    const QVariant classCode = classChosen ? QVariant(Combo3->currentText()) : m_storedClassCode;
    const QVariant unit = Combo2->currentIndex() >= 0 ? QVariant(Combo2->currentText()) : m_storedUnit;
    const bool saved = RunDbAction([&] {
        Transaction t;
        const int changed = Db::exec(QStringLiteral("update brand set bran_name = ?, unit = ?, in_price = ?, type = ?,"
                                                     " zl = ?, zl_code = ?, bz = ?, proper = ? where code = ?"),
                                     {Text2->text(), unit, Money::leadingValue(Text4->text()).toVariant(), Text3->text(),
                                      cls, classCode, Text12->text(), properFromChecks(), m_code});
        // Deleted on another till while the dialog was open.
        if (changed == 0)
            throw DbError(DbError::Changed, QStringLiteral("商品%1已被删除，修改没有保存。").arg(m_code));
        t.commit();
    });
    if (!saved)
        return;
    reloadGoodsList();
    Unload();
}
