#include "menu/FrmXZCP.h"

#include <QEvent>
#include "db/Database.h"
#include "db/Recordset.h"
#include "menu/AutoCodeFile.h"
#include "menu/FrmCPGL.h"
#include "menu/MenuRecords.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"
#include "print/CodePage936.h"

TABULOR_REGISTER_FORM(FrmXZCP);

namespace {

// The class of goods named as the category: its code, or the smallest number
// no goods class uses as its code when the class has to be made; the new
// class is written with that code, so that it and its goods show in the
// goods pickers. Returns the class code for the goods row (empty: none).
QString goodsClassFor(const QString& name)
{
    Recordset rs;
    rs.open(QStringLiteral("select CODE from BrandClass where class = 'spzl' and trim(CONTENT) = ? collate nocase "
                           "order by rowid"),
            {name});
    if (!rs.isEOF())
        return rs.text(QStringLiteral("CODE"));
    Recordset codes;
    codes.open(QStringLiteral("select trim(CODE) as code from BrandClass where class = 'SPZL'"));
    QSet<qint64> taken;
    for (codes.MoveFirst(); !codes.isEOF(); codes.MoveNext()) {
        bool ok = false;
        const qint64 n = codes.text(QStringLiteral("code")).toLongLong(&ok);
        if (ok)
            taken.insert(n);
    }
    qint64 next = 1;
    while (taken.contains(next))
        ++next;
    const QString code = QString::number(next);
    Db::exec(QStringLiteral("insert into BrandClass (class, CODE, CONTENT, sts, CODEFJ) values ('SPZL', ?, ?, 'A', '')"),
             {code, name});
    return code;
}

} // namespace

FrmXZCP::FrmXZCP() : DishDialog(QStringLiteral("新增菜品"), QStringLiteral("编    码"))
{
    Text6 = new QLineEdit(Frame1);
    Twips::place(Text6, 1080, rowTop(4), 5700, 330);
    MaxLengthFilter(Text6, 50);
    Check3 = new QCheckBox(QStringLiteral("自动库存商品关联 "), this);
    Twips::place(Check3, 360, 3000, 3000, 330);

    // No default and no cancel button: Enter saves only in the department list.
    OnEnter(Combo3, [this] { Command1_Click(); });

    QWidget* const order[] = {Combo1, Text1, Text2, Combo2, Text9, Text10, Combo3, Text6,
                              Check3, Check2, Text8[0], Text8[1], Command1, Command2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    Text2->installEventFilter(this);
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Check3, &QCheckBox::clicked, this, &FrmXZCP::Check3_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmXZCP::Command1_Click);
}

bool FrmXZCP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text2 && event->type() == QEvent::FocusOut)
        Text7->setText(PinyinInitials(Text2->text()));
    return DishDialog::eventFilter(watched, event);
}

void FrmXZCP::Form_Load()
{
    Text9->setText(QStringLiteral("1"));
    Text10->setText(QStringLiteral("100"));
    Option2->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Combo2, Combo3, Text6, Option1, Option2})
        w->setEnabled(false);
    ComboInit();
    TreeView1Init();
    AutoCode();
    Text8[0]->setEnabled(false);
    Text8[1]->setEnabled(false);
    Combo1->setFocus();
}

void FrmXZCP::ComboInit()
{
    Combo1->clear();
    RunLoadRead(*this, [&] {
        Recordset rs;
        rs.open(QStringLiteral("select code, cname from cpclass where coalesce(trim(parentcode), '') <> '0' "
                               "order by code, rowid"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            const QString code = rs.text(QStringLiteral("code"));
            Combo1->addItem(Menu::codeNameEntry(code, rs.text(QStringLiteral("cname"))), code);
        }
    });
    fillCodeList(Combo2, QStringLiteral("DWL"));
    fillCodeList(Combo3, QStringLiteral("CPBML"));
    for (QComboBox* c : {Combo2, Combo3})
        c->setCurrentIndex(c->count() > 0 ? 0 : -1);
    if (Combo1->count() > 0) {
        Combo1->setCurrentIndex(0);
        Combo1_Click();
    }
}

void FrmXZCP::AutoCode()
{
    const QString code = AutoCodeFile::proposal();
    // A proposal longer than the box can hold is no proposal: the user types one.
    Text1->setText(CharacterCount(code) <= MaxLengthOf(Text1) ? code : QString());
}

// Choosing a category opens the inputs and proposes the code afresh.
void FrmXZCP::Combo1_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Text1, Text2, Combo2, Combo3, Text6, Option1, Option2})
        w->setEnabled(true);
    AutoCode();
}

void FrmXZCP::Check3_Click()
{
    Frame2->setEnabled(!Check3->isChecked());
}

void FrmXZCP::Command1_Click()
{
    const QString code = Text1->text();
    const QString name = Text2->text();
    const bool manual = Check2->isChecked();
    const bool automatic = Check3->isChecked();
    const auto refuse = [](const QString& text, int icon = Msg::Exclamation) { MsgBox(text, icon); };
    if (code.isEmpty() || name.isEmpty())
        return refuse(QStringLiteral("编号和品名必须输入！"));
    if (Text3->text().isEmpty())
        return refuse(QStringLiteral("请输入售价！"));
    if (Combo2->currentText().isEmpty())
        return refuse(QStringLiteral("请选择单位"));
    if (Combo3->currentText().isEmpty())
        return refuse(QStringLiteral("请添写出品部门！"));
    if (manual && automatic)
        return refuse(QStringLiteral("请选择正确的商品关联！"));
    if (manual && (Text8[0]->text().isEmpty() || Text8[1]->text().isEmpty()))
        return refuse(QStringLiteral("商品编号和比例必须输入！"));
    if (Menu::leadingNumber(Text10->text()) > 100)
        return refuse(QStringLiteral("打折率不可大于100!"), Msg::NoIcon);
    if (!numbersAreValid(manual))
        return;

    const QString category = Combo1->currentData().toString();
    const Menu::Refusal taken{QStringLiteral("编码[") + code + QStringLiteral("]或菜品名称[") + name + QStringLiteral("]已存在!"),
                              Msg::Exclamation, QStringLiteral("提示")};
    const auto inUse = [&] {
        return Db::scalar(QStringLiteral("select count(*) from cpdetail where code = ? or trim(cpname) = ?"),
                          {code, name.trimmed()}).toInt() > 0;
    };
    bool used = false;
    if (!RunDbAction([&] { used = inUse(); }))
        return;
    if (used)
        return taken.show();

    // Goods, class and dish go in together or not at all.
    Menu::Refusal refusal;
    const bool ran = RunDbAction([&] {
        Transaction t;
        if (inUse()) {
            refusal = taken;
            return;
        }
        const QVariant categoryName = Db::scalar(QStringLiteral("select cname from cpclass where code = ?"), {category});
        if (!categoryName.isValid()) {
            refusal = {Menu::CategoryGoneMessage, Msg::Exclamation, QStringLiteral("提示")};
            return;
        }
        const QVariant price = numberValue(Text3->text());
        QVariant goods, ratio;
        if (automatic) {
            if (Db::scalar(QStringLiteral("select count(*) from brand where code = ?"), {code}).toInt() > 0) {
                refusal = {QStringLiteral("在库存档案中已经存在同类编码!\r\n请您手动进行关联设置."), Msg::Information,
                           QStringLiteral("提示")};
                return;
            }
            const QString className = categoryName.toString().trimmed();
            const QString classCode = goodsClassFor(className);
            Db::exec(QStringLiteral("insert into brand (code, bran_name, zl, zl_code, unit, norm_price, in_price, type, "
                                    "low_alert, high_alert, save_num, sum_num, sum_price, zhks, bz) "
                                    "values (?, ?, ?, ?, ?, ?, ?, ' ', 0, 0, 1, 0, 0, 0, ' ')"),
                     {code, name, className, classCode.isEmpty() ? QVariant() : QVariant(classCode),
                      Combo2->currentText(), price, price});
            goods = code;
            ratio = 1;
        } else if (manual) {
            goods = goodsCodeValue();
            ratio = ratioValue();
        }
        Db::exec(QStringLiteral("insert into cpdetail (code, cpname, spellcode, cp_classid, cp_type, base_price, "
                                "cp_danwei, cp_price, real_price, cp_part, cp_memo, cp_spgl, cp_glbl) "
                                "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {code, name, Text7->text(), category, Combo2->currentText(), basePriceValue(), rateFraction(), price,
                  Option1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), Combo3->currentText(),
                  Text6->text(), goods, ratio});
        t.commit();
    });
    if (!ran)
        return;
    if (refusal.any())
        return refusal.show();

    if (!AutoCodeFile::write(code))
        MsgBox(QStringLiteral("菜品已保存，但编码文件") + AutoCodeFile::path() + QStringLiteral("无法写入!"),
               Msg::Exclamation, QStringLiteral("信息提示"));
    Unload();
    if (auto* manager = static_cast<FrmCPGL*>(Forms::find(QStringLiteral("FrmCPGL"))))
        manager->TreeViewDetail();
}
