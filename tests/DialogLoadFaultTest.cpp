// A dialog or window whose load could not read what it shows never saves:
// for each one a read of its load fails, the user then types and presses
// save as usual, and the stored rows stay exactly as they were.
#include "db/StockPosting.h"
#include "frontdesk/FrmFTSZ.h"
#include "frontdesk/TableMasterDialogs.h"
#include "menu/CategoryDialogs.h"
#include "menu/FrmCPGL.h"
#include "menu/FrmLBSZ.h"
#include "menu/FrmXGCP.h"
#include "menu/FrmXZCP.h"
#include "ordering/FrmKTXQ.h"
#include "ordering/FrmKTXX.h"
#include "shell/DlgDYSZ.h"
#include "staff/FrmYGDA.h"
#include "stockin/FrmRKGL.h"
#include "stockin/FrmSPDA.h"
#include "stockin/FrmSPLR.h"
#include "stockin/FrmSPXG.h"
#include "stockin/StockInDialogs.h"
#include "stockout/FrmCKGL.h"
#include "stockout/StockOutDialogs.h"
#include "tests/RowClicks.h"
#include "tests/OrderingFixture.h"

namespace {

class DialogLoadFault;

struct LoadFaultCase {
    const char* name;
    const char* query;   // a part of the load's statement that fails
    int row;             // the row of it that cannot be read
    std::vector<const char*> tables;   // what a save would write
    void (DialogLoadFault::*userPath)();
};

void PrintTo(const LoadFaultCase& c, std::ostream* os) { *os << c.name; }

class DialogLoadFault : public FloorFixture, public ::testing::WithParamInterface<LoadFaultCase> {
protected:
    void SetUp() override
    {
        FloorFixture::SetUp();
        // Stock: a supplier, goods of a class, one bill each way with a line.
        sql(QStringLiteral("INSERT INTO gysda (code, name) VALUES ('S1', '华联超市')"));
        sql(QStringLiteral("INSERT INTO BrandClass (class, CODE, CONTENT, sts) VALUES ('SPZL', '1', '酒水', 'A')"));
        sql(QStringLiteral("INSERT INTO brand (code, bran_name, zl, zl_code, unit, in_price, type, proper) "
                           "VALUES ('1001', '可乐', '酒水', '1', '听', 2.5, '330ml', '101')"));
        const QString day = StockPosting::storedDay(Now.date());
        StockPosting::InBill in;
        in.stock_bill_id = QStringLiteral("RK1");
        in.bill_num = 1;
        in.stock_in_date = day;
        in.in_man = QStringLiteral("001");
        in.in_man_name = QStringLiteral("张丽");
        in.pay_style = QStringLiteral("现金");
        in.buy_man = QStringLiteral("002");
        in.buy_man_name = QStringLiteral("王强");
        in.demo = QStringLiteral("月初");
        in.ckh = QStringLiteral("综合库");
        in.fs = QStringLiteral("手工入库");
        in.repr_name = QStringLiteral("华联超市");
        StockPosting::insertInBill(in);
        StockPosting::OutBill out;
        out.stock_bill_id = QStringLiteral("CK1");
        out.bill_num = 1;
        out.repr_name = QStringLiteral("厨房部");
        out.stock_out_date = day;
        out.get_man = QStringLiteral("001");
        out.get_man_name = QStringLiteral("张丽");
        out.val_man = QStringLiteral("002");
        out.val_man_name = QStringLiteral("王强");
        out.ckh = QStringLiteral("综合库");
        out.demo = QStringLiteral("午市");
        out.fs = QStringLiteral("手动出库");
        StockPosting::insertOutBill(out);
        sql(QStringLiteral("INSERT INTO rkgl2004 (stock_bill_id, id, code, name, type, pch, jzsl, gqsj, scs, unit, num, "
                           "price, je) VALUES ('RK1', 1, '1001', '可乐', '330ml', 'P1', 24, '2027-01-01', '饮料厂', "
                           "'听', 48, 2.5, 120)"));
        sql(QStringLiteral("INSERT INTO ckgl2004 (stock_bill_id, id, code, num, price, zhks) VALUES ('CK1', 1, '1001', 6, 2.5, 0)"));
        sql(QStringLiteral("INSERT INTO store (code, ckh, rks, cks, zje) VALUES ('1001', '综合库', 48, 6, 120)"));
        // Table specifications.
        sql(QStringLiteral("INSERT INTO house_kinds (fcode, fname) VALUES ('1', '四人台'), ('2', '十人台')"));
        // Print settings: the shop's head lines and the foot lines.
        sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES (1, 1, '老店|地址|电话', '0')"));
        sql(QStringLiteral("INSERT INTO PRINTSET (STATE, HEAD, RESTNAME, PRINTER) VALUES (1, 0, '谢谢|再见|欢迎', '0')"));
    }

    // Every row of the case's tables, each value quoted as SQLite stores it.
    QString dump()
    {
        QStringList out;
        for (const char* table : GetParam().tables) {
            const QString t = QString::fromLatin1(table);
            QStringList columns{QStringLiteral("quote(rowid)")};
            Recordset info;
            info.open(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {t});
            for (info.MoveFirst(); !info.isEOF(); info.MoveNext())
                columns << QStringLiteral("quote(\"%1\")").arg(info.field(0).toString());
            Recordset rows;
            rows.open(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(columns.join(QStringLiteral(" || '|' || ")), t));
            out << t;
            for (rows.MoveFirst(); !rows.isEOF(); rows.MoveNext())
                out << rows.field(0).toString();
        }
        return out.join(u'\n');
    }

    // Arms the case's read fault for the next step of the user (unless the
    // load is to read), and notes the stored rows as they are at that moment.
    void armFault()
    {
        m_before = dump();
        if (m_fault)
            Db::injectReadFault(GetParam().row, QString::fromUtf8(GetParam().query));
    }

    template <class D> void onDialog(const std::function<void(D&)>& fn)
    {
        onWindow<D>([this, fn](D& d) {
            m_shown = true;
            fn(d);
        });
    }
    template <class W> W& window()
    {
        W& w = Forms::get<W>();
        w.show();
        processEvents();
        return w;
    }
    template <class L> static int rowOf(const L* list, const QString& text)
    {
        for (int r = 0; r < list->count(); ++r)
            if (list->text(r) == text)
                return r;
        return -1;
    }

public:
    // ---- the user's path to each dialog, and its try to save --------------

    // The stock-in and stock-out windows: a new bill saved as it opens, the
    // bill's note typed to, a line's quantity retyped.
    template <class W, class D> void billAdd()
    {
        W& w = window<W>();
        armFault();
        onDialog<D>([](D& d) { d.Save->click(); });
        w.Toolbar1->click(W::BtnNew);
    }
    template <class W, class D> void billEdit(const QString& bill)
    {
        W& w = window<W>();
        clickRow(w.ListView2, rowOf(w.ListView2, bill));
        armFault();
        onDialog<D>([](D& d) {
            typeKeys(d.TxtBZ, QStringLiteral("补"));
            d.Save->click();
        });
        w.Toolbar1->click(W::BtnEdit);
    }
    template <class W, class D> void lineEdit(const QString& bill, const QString& quantity)
    {
        W& w = window<W>();
        clickRow(w.ListView2, rowOf(w.ListView2, bill));
        clickRow(w.ListView1, rowOf(w.ListView1, QStringLiteral("1001")));
        armFault();
        onDialog<D>([quantity](D& d) {
            retypeKeys(d.TxtSL, quantity);
            d.Save->click();
        });
        w.Command2->click();
    }
    void stockInBillAdd() { billAdd<FrmRKGL, FrmRKDADD>(); }
    void stockInBillEdit() { billEdit<FrmRKGL, FrmRKDEDIT>(QStringLiteral("RK1")); }
    void stockInLineEdit() { lineEdit<FrmRKGL, FrmRKMXEDIT>(QStringLiteral("RK1"), QStringLiteral("50")); }
    void stockOutBillAdd() { billAdd<FrmCKGL, FrmCKDADD>(); }
    void stockOutBillEdit() { billEdit<FrmCKGL, FrmCKDEDIT>(QStringLiteral("CK1")); }
    void stockOutLineEdit() { lineEdit<FrmCKGL, FrmCKMXEDIT>(QStringLiteral("CK1"), QStringLiteral("5")); }
    void goodsAdd()
    {
        FrmSPDA& w = window<FrmSPDA>();
        armFault();
        onDialog<FrmSPLR>([](FrmSPLR& d) {
            typeKeys(d.Text1, QStringLiteral("1002"));
            typeKeys(d.Text2, QStringLiteral("雪碧"));
            typeKeys(d.Text4, QStringLiteral("3"));
            d.Command1->click();
        });
        w.Toolbar1->click(FrmSPDA::BtnAdd);
    }
    void goodsModify()
    {
        FrmSPDA& w = window<FrmSPDA>();
        clickRow(w.ListView1, w.ListView1->findKey(QStringLiteral("1001")));
        armFault();
        onDialog<FrmSPXG>([](FrmSPXG& d) {
            retypeKeys(d.Text2, QStringLiteral("可口可乐"));
            d.Command1->click();
        });
        w.Toolbar1->click(FrmSPDA::BtnModify);
    }
    void employeeEdit()
    {
        armFault();
        onDialog<FrmYGDA>([](FrmYGDA& w) {
            w.Toolbar1->click(FrmYGDA::BtnEdit);
            retypeKeys(w.Text2, QStringLiteral("改名"));
            retypeKeys(w.Text5, QStringLiteral("110101200001010011"));
            w.Toolbar1->click(FrmYGDA::BtnSave);
        });
        Forms::showModalByName(QStringLiteral("FrmYGDA"));
    }
    void employeeAdd()
    {
        onDialog<FrmYGDA>([this](FrmYGDA& w) {
            // The lists are read again for a new employee.
            armFault();
            w.Toolbar1->click(FrmYGDA::BtnAdd);
            typeKeys(w.Text1, QStringLiteral("009"));
            typeKeys(w.Text2, QStringLiteral("新人"));
            typeKeys(w.Text5, QStringLiteral("110101200001010011"));
            w.Toolbar1->click(FrmYGDA::BtnSave);
        });
        Forms::showModalByName(QStringLiteral("FrmYGDA"));
    }
    void dishChange()
    {
        FrmCPGL& m = Forms::get<FrmCPGL>();
        clickNode(m.TreeView1, QStringLiteral("C101"));
        clickRow(m.ListView1, m.ListView1->findKey(QStringLiteral("1")));
        armFault();
        onDialog<FrmXGCP>([](FrmXGCP& d) {
            retypeKeys(d.Text2, QStringLiteral("宫爆鸡丁"));
            d.Command1->click();
        });
        m.Toolbar1->click(FrmCPGL::BtnEdit);
    }
    void dishNew()
    {
        FrmCPGL& m = Forms::get<FrmCPGL>();
        clickNode(m.TreeView1, QStringLiteral("C101"));
        armFault();
        onDialog<FrmXZCP>([](FrmXZCP& d) {
            retypeKeys(d.Text1, QStringLiteral("77"));
            typeKeys(d.Text2, QStringLiteral("鱼香肉丝"));
            d.Command1->click();
        });
        m.Toolbar1->click(FrmCPGL::BtnNew);
    }
    void categoryAdd()
    {
        FrmLBSZ& w = window<FrmLBSZ>();
        armFault();
        onDialog<FrmCDLBADD>([](FrmCDLBADD& d) {
            typeKeys(d.Text1, QStringLiteral("汤"));
            d.Command1->click();
        });
        w.Toolbar1->click(FrmLBSZ::BtnAdd);
    }
    void categoryEdit()
    {
        FrmLBSZ& w = window<FrmLBSZ>();
        clickNode(w.TreeView1, QStringLiteral("C101"));
        armFault();
        onDialog<FrmCDLBEDIT>([](FrmCDLBEDIT& d) {
            retypeKeys(d.Text1, QStringLiteral("四川菜"));
            d.Command1->click();
        });
        w.Toolbar1->click(FrmLBSZ::BtnEdit);
    }
    void seatingDetails()
    {
        onDialog<FrmKTXQ>([](FrmKTXQ& d) {
            retypeKeys(d.TxtJCRS, QStringLiteral("6"));
            d.Command1->click();
        });
        openOrdering(QStringLiteral("103"), [this](FrmDCKT& w) {
            armFault();
            w.KTXQ->click();
        });
    }
    void openTable()
    {
        // The open-table dialog comes by itself when the ordering window of a
        // free table shows.
        onDialog<FrmKTXX>([](FrmKTXX& d) { d.Command1->click(); });
        armFault();
        openOrdering(QStringLiteral("101"), [](FrmDCKT&) {});
    }
    void tableEdit()
    {
        // The table setup reads the specifications for the dialog it opens.
        FrmFTSZ& w = window<FrmFTSZ>();
        w.SSTab1->setTab(2);
        clickRow(w.ListView3, 0);
        armFault();
        onDialog<FrmFTEDIT>([](FrmFTEDIT& d) {
            retypeKeys(d.Text2, QStringLiteral("改名"));
            d.Command1->click();
        });
        w.Toolbar1->click(2);
    }
    void printSettings()
    {
        armFault();
        onDialog<DlgDYSZ>([](DlgDYSZ& d) {
            retypeKeys(d.Text1, QStringLiteral("新店"));
            d.OKButton->click();   // and yes, set the printer
        });
        Forms::showModalByName(QStringLiteral("DlgDYSZ"));
    }

    QString m_before;
    bool m_shown = false;
    bool m_fault = true;
};

TEST_P(DialogLoadFault, NothingIsSavedAfterAFailedLoad)
{
    const LoadFaultCase& c = GetParam();
    (this->*c.userPath)();
    processEvents();
    ASSERT_FALSE(m_before.isEmpty()) << "the fault was never armed";
    // The read failed as armed, and the user was told so.
    const QStringList said = messages();
    EXPECT_TRUE(std::any_of(said.begin(), said.end(),
                            [](const QString& m) { return m.startsWith(DbError::sentence(DbError::Read)); }))
        << qPrintable(said.join(u'|'));
    EXPECT_FALSE(said.contains(QStringLiteral("保存成功!"))) << qPrintable(said.join(u'|'));
    EXPECT_EQ(dump(), m_before);
}

// The same path with nothing failing does save: the path above is one that writes.
TEST_P(DialogLoadFault, TheSamePathSavesWhenTheLoadReads)
{
    m_fault = false;
    (this->*GetParam().userPath)();
    processEvents();
    EXPECT_TRUE(m_shown);
    ASSERT_FALSE(m_before.isEmpty());
    EXPECT_NE(dump(), m_before) << qPrintable(messages().join(u'|'));
}

const LoadFaultCase Cases[] = {
    {"StockInBillAdd", "from gysda", 1, {"stock_in_bill"}, &DialogLoadFault::stockInBillAdd},
    {"StockInBillEdit", "FROM stock_in_bill WHERE stock_bill_id", 1, {"stock_in_bill"},
     &DialogLoadFault::stockInBillEdit},
    {"StockInLineEdit", "FROM rkgl2004 WHERE stock_bill_id = ? AND code", 1, {"rkgl2004", "store"},
     &DialogLoadFault::stockInLineEdit},
    {"StockOutBillAdd", "class = 'KFH'", 1, {"stock_out_bill"}, &DialogLoadFault::stockOutBillAdd},
    {"StockOutBillEdit", "FROM stock_out_bill WHERE stock_bill_id", 1, {"stock_out_bill"},
     &DialogLoadFault::stockOutBillEdit},
    {"StockOutLineEdit", "FROM ckgl2004 WHERE stock_bill_id = ? AND code", 1, {"ckgl2004", "store"},
     &DialogLoadFault::stockOutLineEdit},
    {"GoodsAdd", "from BrandClass", 1, {"brand"}, &DialogLoadFault::goodsAdd},
    {"GoodsModify", "select zl, zl_code, unit, proper from brand", 1, {"brand"}, &DialogLoadFault::goodsModify},
    {"EmployeeEdit", "from sysmcwh where class in", 2, {"cust"}, &DialogLoadFault::employeeEdit},
    {"EmployeeAdd", "from sysmcwh where class in", 2, {"cust"}, &DialogLoadFault::employeeAdd},
    {"DishChange", "from cpdetail where code = ?", 1, {"cpdetail"}, &DialogLoadFault::dishChange},
    {"DishNew", "class = ?", 2, {"cpdetail"}, &DialogLoadFault::dishNew},
    {"CategoryAdd", "from cpclass where trim(parentcode) = '0'", 1, {"cpclass"}, &DialogLoadFault::categoryAdd},
    {"CategoryEdit", "from cpclass where trim(parentcode) = '0'", 1, {"cpclass"}, &DialogLoadFault::categoryEdit},
    {"SeatingDetails", "from use_table_200505 where use_table_id = ?", 1, {"use_table_200505"},
     &DialogLoadFault::seatingDetails},
    {"OpenTable", "select name from cust", 2, {"use_table_200505", "house_table"}, &DialogLoadFault::openTable},
    {"TableEdit", "house_kinds", 1, {"house_table"}, &DialogLoadFault::tableEdit},
    {"PrintSettings", "FROM PRINTSET", 1, {"PRINTSET", "SYSXTCS"}, &DialogLoadFault::printSettings},
};

INSTANTIATE_TEST_SUITE_P(EachDialog, DialogLoadFault, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<LoadFaultCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
