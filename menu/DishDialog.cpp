#include "menu/DishDialog.h"

#include <QKeyEvent>
#include <QSet>
#include <QTimer>
#include <vector>
#include "db/Database.h"
#include "db/Money.h"
#include "db/Recordset.h"
#include "menu/MenuRecords.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

namespace {

// A box right-aligned, as the prices, the rate and the ratio are.
void alignRight(QLineEdit* box)
{
    box->setAlignment(Qt::AlignRight);
}

bool isNumberText(const QString& text)
{
    if (text.contains(u'-') || text.contains(u'+'))
        return false;
    bool ok = false;
    Money::parse(text, &ok);
    return ok;
}

} // namespace

QVariant numberValue(const QString& text)
{
    return Money::parse(text).toVariant();
}

DishDialog::DishDialog(const QString& caption, const QString& codeLabel)
{
    setWindowTitle(caption);
    setClientSizeTwips(7200, 5400);
    setFixedSize(size());

    Frame1 = new QGroupBox(QStringLiteral("菜品基本信息"), this);
    Twips::place(Frame1, 120, 60, 6960, 2880);
    Frame2 = new QGroupBox(QStringLiteral("菜品其他信息"), this);
    Twips::place(Frame2, 120, 3360, 6960, 1260);
    const char* captions[] = {"选择类别", nullptr, "菜品名称", "计量单位", "基本价格", "打折率", "售    价",
                              "出品部门", "备    注", "拼 音 码", "时    价", "商品编号", "关联比例"};
    for (int i = 0; i < 13; ++i) {
        Label[i] = new QLabel(captions[i] ? QString::fromUtf8(captions[i]) : codeLabel, i < 11 ? Frame1 : Frame2);
        Label[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (i < 9)
            Twips::place(Label[i], i % 2 == 0 ? 60 : 3420, rowTop(i / 2), 960, 330);
    }

    Combo1 = new QComboBox(Frame1);
    placeBox(Combo1, 0, false);
    Text1 = new QLineEdit(Frame1);
    placeBox(Text1, 0, true);
    MaxLengthFilter(Text1, 6);
    Text2 = new QLineEdit(Frame1);
    placeBox(Text2, 1, false);
    MaxLengthFilter(Text2, 7);
    Combo2 = new QComboBox(Frame1);
    placeBox(Combo2, 1, true);
    Text9 = new QLineEdit(Frame1);
    placeBox(Text9, 2, false);
    MaxLengthFilter(Text9, 8);
    Text10 = new QLineEdit(Frame1);
    placeBox(Text10, 2, true);
    MaxLengthFilter(Text10, 3);
    Text3 = new QLineEdit(Frame1);
    placeBox(Text3, 3, false);
    Text3->setEnabled(false);
    Combo3 = new QComboBox(Frame1);
    placeBox(Combo3, 3, true);
    for (QLineEdit* box : {Text9, Text10, Text3})
        alignRight(box);

    // The quick code and the market-price choice are carried, not shown.
    Text7 = new QLineEdit(Frame1);
    Option1 = new QRadioButton(QStringLiteral("是"), Frame1);
    Option2 = new QRadioButton(QStringLiteral("否"), Frame1);
    for (QWidget* w : std::initializer_list<QWidget*>{Label[9], Text7, Label[10], Option1, Option2})
        w->hide();

    Check2 = new QCheckBox(QStringLiteral("定义库存商品关联"), Frame2);
    Twips::place(Check2, 240, 330, 2400, 330);
    Twips::place(Label[11], 60, 780, 960, 330);
    Twips::place(Label[12], 3420, 780, 960, 330);
    for (int i = 0; i < 2; ++i) {
        Text8[i] = new QLineEdit(Frame2);
        Twips::place(Text8[i], i == 0 ? 1080 : 4440, 780, i == 0 ? 2160 : 2340, 330);
    }
    MaxLengthFilter(Text8[0], 8);
    MaxLengthFilter(Text8[1], 4);
    alignRight(Text8[1]);
    Text8[1]->setText(QStringLiteral("1"));

    Command1 = new QPushButton(QStringLiteral("确定(&O)"), this);
    Twips::place(Command1, 4320, 4800, 1200, 420);
    Command2 = new QPushButton(QStringLiteral("取消(&C)"), this);
    Twips::place(Command2, 5760, 4800, 1200, 420);
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);

    // The picker lies over the middle of the dialog, across both frames.
    TreeView1 = new TreeView(this);
    Twips::place(TreeView1, 1500, 900, 4200, 3480);
    TreeView1->setRootIsDecorated(true);
    TreeView1->hide();

    DigitKeyFilter(Text1);
    DigitKeyFilter(Text10);
    DecimalKeyFilter(Text9);
    DecimalKeyFilter(Text8[1]);
    for (QObject* o : std::initializer_list<QObject*>{Text1, Text9, Text8[0], TreeView1})
        o->installEventFilter(this);

    connect(Text9, &QLineEdit::textChanged, this, &DishDialog::Text9_Change);
    connect(Text10, &QLineEdit::textChanged, this, &DishDialog::Text10_Change);
    connect(Check2, &QCheckBox::clicked, this, &DishDialog::Check2_Click);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this, [this] { TreeView1_DblClick(); });
    connect(Command2, &QPushButton::clicked, this, &DishDialog::Command2_Click);
}

void DishDialog::placeBox(QWidget* box, int row, bool right)
{
    Twips::place(box, right ? 4440 : 1080, rowTop(row), right ? 2340 : 2160, 330);
}

bool DishDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((watched == Text1 || watched == Text9) && type == QEvent::FocusIn) {
        // The text without its surrounding blanks is selected, from the start.
        auto* box = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, box, [box] { box->setSelection(0, int(box->text().trimmed().size())); });
    } else if (watched == Text8[0] && type == QEvent::KeyPress) {
        // A character key, Backspace, or Enter where no button takes it, shows
        // the picker; the keys that move on or close (Tab, Esc) do not.
        const auto* k = static_cast<QKeyEvent*>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        const bool movesOn = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab || k->key() == Qt::Key_Escape
            || (enter && defaultButton);
        if (!k->text().isEmpty() && !movesOn)
            Text8_KeyPress();   // the key still reaches the box
    } else if (watched == TreeView1 && type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            TreeView1_KeyPress(13);
            return true;
        }
        if (key == Qt::Key_Escape) {
            TreeView1_KeyPress(27);
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void DishDialog::Text9_Change()
{
    Text3->setText(Menu::SalePriceRule(Text9->text(), Text10->text()));
}

void DishDialog::Text10_Change()
{
    Text3->setText(Menu::SalePriceRule(Text9->text(), Text10->text()));
}

void DishDialog::Check2_Click()
{
    Text8[0]->setEnabled(Check2->isChecked());
    Text8[1]->setEnabled(Check2->isChecked());
}

void DishDialog::Text8_KeyPress()
{
    TreeView1->show();
    TreeView1->raise();
    TreeView1->setFocus();
}

void DishDialog::pickGoods(bool selectRatio)
{
    const QString key = TreeView1->selectedKey();
    if (!key.startsWith(u'C'))
        return;   // a class: nothing to take
    Text8[0]->setText(key.mid(1));
    TreeView1->hide();
    if (Text8[1]->isEnabled()) {
        if (selectRatio)
            Text8[1]->selectAll();
        Text8[1]->setFocus();
    }
}

void DishDialog::TreeView1_DblClick()
{
    pickGoods(false);
}

void DishDialog::TreeView1_KeyPress(int keyAscii)
{
    if (keyAscii == 13) {
        pickGoods(true);
    } else if (keyAscii == 27) {
        TreeView1->hide();
        Text8[0]->setFocus();
    }
}

void DishDialog::Command2_Click()
{
    Unload();
}

void DishDialog::TreeView1Init()
{
    const QSignalBlocker block(TreeView1);
    TreeView1->clearNodes();
    RunLoadRead(*this, [&] {
        struct GoodsClass {
            QString key, code, name;
        };
        std::vector<GoodsClass> classes;
        Recordset rs;
        rs.open(QStringLiteral("select rowid as id, CODE, CONTENT from BrandClass where class = 'SPZL' order by rowid"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
            // Keyed by the row: a class shows even when it has no code or shares one.
            GoodsClass c{u'P' + rs.field(QStringLiteral("id")).toString(), rs.text(QStringLiteral("CODE")),
                         rs.text(QStringLiteral("CONTENT"))};
            TreeView1->addNode({}, c.key, c.name);
            classes.push_back(c);
        }
        Recordset goods;
        goods.open(QStringLiteral("select CODE, BRAN_NAME, ZL_CODE, ZL from brand order by rowid"));
        QSet<QString> listed;
        for (goods.MoveFirst(); !goods.isEOF(); goods.MoveNext()) {
            const QString code = goods.text(QStringLiteral("CODE"));
            if (code.isEmpty() || listed.contains(code))
                continue;
            const QString classCode = goods.text(QStringLiteral("ZL_CODE"));
            const QString className = goods.text(QStringLiteral("ZL"));
            for (const GoodsClass& c : classes) {
                const bool byCode = !c.code.isEmpty() && classCode.compare(c.code, Qt::CaseInsensitive) == 0;
                if (byCode || className.compare(c.name, Qt::CaseInsensitive) == 0) {
                    TreeView1->addNode(c.key, u'C' + code, goods.text(QStringLiteral("BRAN_NAME")));
                    listed.insert(code);
                    break;
                }
            }
        }
    });
    TreeView1->expandAll();
    TreeView1->hide();
}

void DishDialog::fillCodeList(QComboBox* combo, const QString& codeClass)
{
    combo->clear();
    RunLoadRead(*this, [&] {
        Recordset rs;
        rs.open(QStringLiteral("select content from sysmcwh where class = ? order by rowid"), {codeClass});
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            combo->addItem(rs.text(QStringLiteral("content")));
    });
}

bool DishDialog::numbersAreValid(bool withRatio)
{
    if (!Text9->text().isEmpty() && !isNumberText(Text9->text())) {
        MsgBox(QStringLiteral("基本价格必须是数字!"), Msg::Exclamation);
        return false;
    }
    if (withRatio && !isNumberText(Text8[1]->text())) {
        MsgBox(QStringLiteral("关联比例必须是数字!"), Msg::Exclamation);
        return false;
    }
    return true;
}

QVariant DishDialog::basePriceValue() const
{
    // An empty base price is 0, as the sale price shown for it says.
    return Text9->text().isEmpty() ? QVariant(0.0) : numberValue(Text9->text());
}

double DishDialog::rateFraction() const
{
    return Menu::leadingNumber(Text10->text()) / 100;
}

QVariant DishDialog::ratioValue() const
{
    return numberValue(Text8[1]->text());
}

QString DishDialog::goodsCodeValue() const
{
    const QString trimmed = Text8[0]->text().trimmed();
    return trimmed.isEmpty() ? Text8[0]->text() : trimmed;
}
