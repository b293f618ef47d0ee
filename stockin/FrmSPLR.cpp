#include "stockin/FrmSPLR.h"

#include "db/Database.h"
#include "db/Money.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"

TABULOR_REGISTER_FORM(FrmSPLR);

FrmSPLR::FrmSPLR() : GoodsDialog(QStringLiteral("商品录入"), true)
{
    MaxLengthFilter(Text1, 4);
    DigitKeyFilter(Text1);
    MaxLengthFilter(Text2, 10);
    MaxLengthFilter(Text3, 10);
    MaxLengthFilter(Text4, 8);
}

void FrmSPLR::Form_Load()
{
    ComboInit(true);
}

void FrmSPLR::Command1_Click()
{
    if (!ValidateInput())
        return;
    auto figure = [](const QLineEdit* box) { return Money::leadingValue(box->text()).toVariant(); };
    bool taken = false;
    bool saved = false;
    // The test and the insert under one write lock: another till cannot take
    // the code or the name in between.
    RunDbAction([&] {
        Transaction t;
        taken = Db::scalar(QStringLiteral("select count(*) from brand where code = ? or bran_name = ?"),
                           {Text1->text(), Text2->text().trimmed()})
                    .toInt()
            > 0;
        if (taken)
            return;
        Db::exec(QStringLiteral("insert into brand (code, bran_name, unit, in_price, type, zl, zl_code, low_alert,"
                                " high_alert, norm_price, save_num, sum_num, sum_price, zhks, bz, proper)"
                                " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {Text1->text().trimmed(), Text2->text(), Combo2->currentText(), figure(Text4), Text3->text(),
                  Combo1->currentText(), Combo3->currentText(), figure(Text5), figure(Text6), figure(Text10),
                  figure(Text7), figure(Text8), figure(Text9), figure(Text11), Text12->text(), properFromChecks()});
        t.commit();
        saved = true;
    });
    if (taken) {
        MsgBox(QStringLiteral("您输入的编码或商品名重复!"), Msg::Exclamation);
        return;
    }
    if (!saved)
        return;
    reloadGoodsList();
    Unload();
}
