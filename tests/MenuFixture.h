#pragma once
// Shared fixture of the menu tests: categories and dishes written straight
// into the tables, the dish manager, and readers of its list.
#include <QTest>
#include <functional>
#include "menu/FrmCPGL.h"
#include "tests/TestSupport.h"

struct DishRow {
    QString code;
    QString name;
    QString category;                       // cp_classid
    QVariant price = 10;                    // cp_price
    QVariant rate = 1;                      // cp_danwei
    QVariant status;                        // cp_status
    QVariant reason;                        // ty_reason
    QVariant marketPrice = QStringLiteral("0");
    QVariant basePrice = 10;
    QString unit = QStringLiteral("份");
    QString part = QStringLiteral("热菜间");
    QString memo;
    QVariant goods;                         // cp_spgl
    QVariant ratio;                         // cp_glbl
};

// The next widget that Tab reaches from w (disabled ones included: the tab
// order is the design's, whatever is enabled now).
inline QWidget* nextTabStop(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next && next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

class MenuTest : public TabulorTest {
protected:
    void SetUp() override
    {
        TabulorTest::SetUp();
        openDb();
    }

    void addCategory(const QString& code, const QString& name, const QString& parent)
    {
        sql(QStringLiteral("INSERT INTO cpclass (code, cname, parentcode) VALUES (?, ?, ?)"), {code, name, parent});
    }
    // Two top categories, three sub-categories.
    void addCategories()
    {
        addCategory(QStringLiteral("1"), QStringLiteral("热菜"), QStringLiteral("0"));
        addCategory(QStringLiteral("101"), QStringLiteral("川菜"), QStringLiteral("1"));
        addCategory(QStringLiteral("102"), QStringLiteral("粤菜"), QStringLiteral("1"));
        addCategory(QStringLiteral("2"), QStringLiteral("酒水"), QStringLiteral("0"));
        addCategory(QStringLiteral("201"), QStringLiteral("饮料"), QStringLiteral("2"));
    }
    void addDish(const DishRow& d)
    {
        sql(QStringLiteral("INSERT INTO cpdetail (code, cpname, spellcode, cp_classid, cp_type, base_price, cp_danwei, "
                           "cp_price, real_price, cp_part, cp_memo, cp_status, ty_date, ty_reason, cp_spgl, cp_glbl) "
                           "VALUES (?, ?, 'X', ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL, ?, ?, ?)"),
            {d.code, d.name, d.category, d.unit, d.basePrice, d.rate, d.price, d.marketPrice, d.part, d.memo, d.status,
             d.reason, d.goods, d.ratio});
    }
    void addOrderLine(const QString& foodCode, const QString& sts)
    {
        sql(QStringLiteral("INSERT INTO strink_mess_200505 (use_table_id, fsxh, food_code, food_name, food_num, price, STS, "
                           "account_sts) VALUES ('20260310190000', 0, ?, 'x', 1, 1, ?, '0')"),
            {foodCode, sts});
    }
    // A column of the row of code in a table, as text; Null reads "<null>".
    QString field(const QString& table, const QString& code, const QString& column)
    {
        const QVariant v = value(QStringLiteral("SELECT %1 FROM %2 WHERE code = ?").arg(column, table), {code});
        return v.isNull() ? QStringLiteral("<null>") : v.toString();
    }
    QString dishField(const QString& code, const QString& column) { return field(QStringLiteral("cpdetail"), code, column); }
    // Each column of the row of code in a table holds its value.
    struct ColumnValue {
        const char* column;
        const char* value;
    };
    void expectRow(const QString& table, const QString& code, std::initializer_list<ColumnValue> columns)
    {
        for (const ColumnValue& c : columns)
            EXPECT_EQ(field(table, code, QString::fromUtf8(c.column)), QString::fromUtf8(c.value)) << c.column;
    }
    // Every category as "code/name/parent", in code order.
    QStringList categories()
    {
        QStringList out;
        Recordset rs;
        rs.open(QStringLiteral("SELECT code, cname, parentcode FROM cpclass ORDER BY code"));
        for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext())
            out << rs.field(0).toString() + u'/' + rs.field(1).toString() + u'/' + rs.field(2).toString();
        return out;
    }

    // Every row of the menu and goods tables, to show that nothing changed.
    QString snapshot()
    {
        QString out;
        for (const char* table : {"cpdetail", "cpclass", "brand", "BrandClass"}) {
            Recordset rs;
            rs.open(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(table)));
            out += QLatin1String(table) + u':';
            for (rs.MoveFirst(); !rs.isEOF(); rs.MoveNext()) {
                for (int i = 0; i < rs.fieldCount(); ++i)
                    out += rs.field(i).isNull() ? QStringLiteral("<null>|") : rs.field(i).toString() + u'|';
                out += u'\n';
            }
        }
        return out;
    }

    FrmCPGL& manager()
    {
        return Forms::get<FrmCPGL>();
    }
    static QStringList column(const ListView* list, int col)
    {
        QStringList out;
        for (int r = 0; r < list->count(); ++r)
            out << (col == 0 ? list->text(r) : list->subItem(r, col));
        return out;
    }
    // Clicks a toolbar button of the dish manager and runs fn in the dialog D
    // it opens, made the active window first.
    template <class D> void fromManager(int button, const std::function<void(D&)>& fn)
    {
        bool shown = false;
        onDialog<D>([&](D& d) {
            shown = true;
            d.activateWindow();
            processEvents();
            fn(d);
        });
        manager().Toolbar1->click(button);
        EXPECT_TRUE(shown);
    }
    // Runs fn on the window D when it is shown modally.
    template <class D> void onDialog(std::function<void(D&)> fn)
    {
        Forms::onModal(QString::fromLatin1(D::staticMetaObject.className()),
                       [fn](Form& f) { fn(static_cast<D&>(f)); });
    }
};
