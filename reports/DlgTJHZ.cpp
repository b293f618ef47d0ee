#include "reports/DlgTJHZ.h"

#include "platform/Twips.h"

TABULOR_REGISTER_FORM(DlgTJHZ);

DlgTJHZ::DlgTJHZ()
{
    setWindowTitle(QStringLiteral("统计汇总"));
    setClientSizeTwips(2670, 4500);

    Picture1 = new QFrame(this);
    Picture1->setFrameShape(QFrame::StyledPanel);
    Twips::place(Picture1, 120, 120, 2430, 3780);
    const struct { const char* caption; const char* value; } lines[] = {
        {"开台数合计:", "0"},      {"就餐人数合计:", "0"},  {"应收金额合计:", "0.00"}, {"实收金额合计:", "0.00"},
        {"折扣金额合计:", "0.00"}, {"免收金额合计:", "0.00"}, {"现金合计:", "0.00"},     {"支票合计:", "0.00"},
        {"信用卡合计:", "0.00"},   {"其它合计:", "0.00"},     {"挂帐合计:", "0.00"},     {"营业收入合计:", "0.00"},
    };
    for (int i = 0; i < 12; ++i) {
        Label1[i] = new QLabel(QString::fromUtf8(lines[i].caption), Picture1);
        Twips::place(Label1[i], 90, 120 + 300 * i, 1290, 270);
        Label2[i] = new QLabel(QString::fromUtf8(lines[i].value), Picture1);
        Twips::place(Label2[i], 1380, 120 + 300 * i, 960, 270);
    }

    OKButton = new QPushButton(QStringLiteral("确定"), this);
    Twips::place(OKButton, 120, 4005, 2430, 375);
    OKButton->setAutoDefault(false);
    defaultButton = OKButton;
    connect(OKButton, &QPushButton::clicked, this, &DlgTJHZ::OKButton_Click);
}

void DlgTJHZ::OKButton_Click()
{
    Unload();
}
