#include "menu/FrmXGCP.h"

#include "db/Database.h"
#include "db/Recordset.h"
#include "menu/FrmCPGL.h"
#include "menu/MenuRecords.h"
#include "platform/KeyFilters.h"
#include "platform/Seams.h"
#include "platform/Twips.h"

TABULOR_REGISTER_FORM(FrmXGCP);

namespace {

constexpr int MemoLength = 50;

FrmCPGL* manager()
{
    return static_cast<FrmCPGL*>(Forms::find(QStringLiteral("FrmCPGL")));
}

// Shows the first entry equal to text. A stored value the list no longer
// offers is kept as an entry of its own rather than lost at the next save;
// an empty one shows nothing.
void showEntry(QComboBox* combo, const QString& text)
{
    int i = combo->findText(text, Qt::MatchExactly);
    if (i < 0 && !text.isEmpty()) {
        combo->addItem(text);
        i = combo->count() - 1;
    }
    combo->setCurrentIndex(i);
}

} // namespace

FrmXGCP::FrmXGCP() : DishDialog(QStringLiteral("修改菜品"), QStringLiteral("编 　 码"))
{
    Text6 = new QPlainTextEdit(Frame1);
    Twips::place(Text6, 1080, rowTop(4), 5700, 450);
    Text6->setTabChangesFocus(true);
    // The box cuts what goes beyond its length in characters, typed or put there.
    connect(Text6, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = Text6->toPlainText();
        if (CharacterCount(text) > MemoLength) {
            const QSignalBlocker block(Text6);
            const QList<uint> characters = text.toUcs4();
            Text6->setPlainText(QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), MemoLength));
            Text6->moveCursor(QTextCursor::End);
        }
    });
    // Enter in the memo is the default button's, as everywhere in the dialog.
    OnEnter(Text6, [this] { Command1->click(); });
    Check1 = new QCheckBox(QStringLiteral("清除库存商品关联"), Frame2);
    Twips::place(Check1, 3600, 330, 2400, 330);

    Combo1->setEnabled(false);
    Text1->setEnabled(false);
    defaultButton = Command1;
    cancelButton = Command2;

    QWidget* const order[] = {Combo1, Text1, Text2, Combo2, Text9, Text10, Text3, Combo3,
                              Text6, Check2, Check1, Text8[0], Text8[1], Command1, Command2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(Command1, &QPushButton::clicked, this, &FrmXGCP::Command1_Click);
}

void FrmXGCP::Form_Load()
{
    FrmCPGL* m = manager();
    const int row = m ? m->ListView1->selectedRow() : -1;
    const auto cell = [&](int column) {
        return row < 0 ? QString() : (column == 0 ? m->ListView1->text(row) : m->ListView1->subItem(row, column));
    };
    Text1->setText(cell(FrmCPGL::ColCode));
    Text2->setText(cell(FrmCPGL::ColName));
    Text9->setText(cell(FrmCPGL::ColBasePrice));
    const QString rate = cell(FrmCPGL::ColRate).trimmed();
    Text10->setText(rate.contains(u'%') ? rate.left(rate.indexOf(u'%')) : QString());
    // After the price rule ran for the two boxes: the stored price shows.
    Text3->setText(cell(FrmCPGL::ColPrice));
    Text6->setPlainText(cell(FrmCPGL::ColMemo));
    (cell(FrmCPGL::ColMarketPrice) == QStringLiteral("否") ? Option2 : Option1)->setChecked(true);

    // The row's key is the code as stored; the code box shows it trimmed.
    m_code = row < 0 ? QString() : m->ListView1->key(row);
    RunLoadRead(*this, [&] {
        Recordset rs;
        rs.open(QStringLiteral("select spellcode, cp_spgl, cp_glbl, cp_part, cp_memo from cpdetail where code = ?"),
                {m_code});
        m_found = !rs.isEOF();
        if (!m_found)
            return;
        Text7->setText(rs.field(QStringLiteral("spellcode")).toString());
        Text8[0]->setText(rs.field(QStringLiteral("cp_spgl")).toString());
        const QVariant ratio = rs.field(QStringLiteral("cp_glbl"));
        Text8[1]->setText(ratio.isNull() ? QString() : Menu::plainNumberText(ratio.toDouble()));
        m_storedPart = rs.field(QStringLiteral("cp_part")).toString();
        m_storedMemo = rs.field(QStringLiteral("cp_memo")).toString();
    });
    TreeView1Init();
    Text8[0]->setEnabled(false);
    Text8[1]->setEnabled(false);
    ComboInit();
    Text2->setFocus();
}

void FrmXGCP::ComboInit()
{
    FrmCPGL* m = manager();
    const int row = m ? m->ListView1->selectedRow() : -1;
    Combo1->clear();
    if (row >= 0)
        Combo1->addItem(m->ListView1->subItem(row, FrmCPGL::ColCategory));
    Combo1->setCurrentIndex(Combo1->count() > 0 ? 0 : -1);
    fillCodeList(Combo2, QStringLiteral("DWL"));
    fillCodeList(Combo3, QStringLiteral("CPBML"));
    showEntry(Combo2, row >= 0 ? m->ListView1->subItem(row, FrmCPGL::ColUnit) : QString());
    showEntry(Combo3, m_storedPart.trimmed());
    if (m_found)
        Text6->setPlainText(m_storedMemo);
}

void FrmXGCP::Command1_Click()
{
    const bool define = Check2->isChecked();
    const bool clear = Check1->isChecked();
    if (define && (Text8[0]->text().isEmpty() || Text8[1]->text().isEmpty())) {
        MsgBox(QStringLiteral("商品编号和比例必须输入！"), Msg::Exclamation);
        return;
    }
    if (Menu::leadingNumber(Text10->text()) > 100) {
        MsgBox(QStringLiteral("打折率不可大于100!"));
        return;
    }
    if (define && clear) {
        MsgBox(QStringLiteral("请选择正确的商品关联！"), Msg::Exclamation);
        return;
    }
    if (!numbersAreValid(define))
        return;

    QString assignments = QStringLiteral("cpname = ?, spellcode = ?, cp_type = ?, base_price = ?, cp_danwei = ?, "
                                         "real_price = ?, cp_part = ?, cp_memo = ?");
    QVariantList values{Text2->text(), Text7->text(), Combo2->currentText(), basePriceValue(), rateFraction(),
                        Option1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), Combo3->currentText(),
                        memoText()};
    // An empty sale price (a dish stored without one) keeps the stored value.
    if (!Text3->text().isEmpty()) {
        assignments += QStringLiteral(", cp_price = ?");
        values << numberValue(Text3->text());
    }
    if (define) {
        assignments += QStringLiteral(", cp_spgl = ?, cp_glbl = ?");
        values << goodsCodeValue() << ratioValue();
    } else if (clear) {
        assignments += QStringLiteral(", cp_spgl = ' ', cp_glbl = 0");
    }
    values << m_code;
    bool found = false;
    if (!RunDbAction([&] {
            Transaction t;
            found = Db::exec(QStringLiteral("update cpdetail set ") + assignments + QStringLiteral(" where code = ?"),
                             values) > 0;
            t.commit();
        }))
        return;
    if (!found) {
        Unload();
        MsgBox(Menu::DishGoneMessage, Msg::Exclamation, QStringLiteral("提示"));
        if (FrmCPGL* m = manager())
            m->TreeViewDetail();
        return;
    }
    ListView1UpdateRow();
    Unload();
}

void FrmXGCP::ListView1UpdateRow()
{
    FrmCPGL* m = manager();
    const int row = m ? m->ListView1->selectedRow() : -1;
    if (row < 0)
        return;
    ListView* list = m->ListView1;
    list->setSubItem(row, FrmCPGL::ColName, Text2->text());
    list->setSubItem(row, FrmCPGL::ColUnit, Combo2->currentText());
    list->setSubItem(row, FrmCPGL::ColBasePrice, Text9->text());
    list->setSubItem(row, FrmCPGL::ColRate, Text10->text().trimmed() + u'%');
    list->setSubItem(row, FrmCPGL::ColPrice, Text3->text());
    list->setSubItem(row, FrmCPGL::ColMarketPrice, Menu::yesNo(Option1->isChecked()));
    list->setSubItem(row, FrmCPGL::ColMemo, memoText());
}
