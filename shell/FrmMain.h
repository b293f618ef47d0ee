#pragma once
// The main window: an accordion of five groups of function buttons down the
// left side over a background picture. Each function opens its window modally.
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <map>
#include "platform/Form.h"

class FrmMain : public Form {
    Q_OBJECT
public:
    FrmMain();

    // The 24 buttons the login enables by menu code, with the window each opens.
    struct MenuButton {
        const char* menuCode;
        const char* button;
        const char* window;   // empty: no window
    };
    static const std::array<MenuButton, 24> MenuButtons;

    // The permission-controlled button of a menu code, or nullptr.
    QPushButton* menuButton(const QString& menuCode) const;

    QWidget* Frame1;
    QLabel* Image1;
    // group buttons and their panels
    QPushButton *CmdQTGL, *CmdKFGL, *CmdRSGL, *CmdXTSZ, *CmdTCXT, *CmdTXFX;
    QWidget *PicQTGL, *PicKFGL, *PicRSGL, *PicXTSZ, *PicTCXT, *PicTXFX;
    // front desk
    QPushButton *CmdYDGL, *CmdSYGL, *CmdXSMX, *CmdYGXS, *CmdFTXS, *CmdDDTJ, *cmdXSHZ, *CmdRSRJ;
    // warehouse
    QPushButton *CmdRKGL, *CmdCKGL, *CmdKCCX, *CmdSPRK, *CmdSPCK, *CmdSPLS;
    // personnel
    QPushButton* CmdYGXX;
    // system settings
    QPushButton *CmdFTSZ, *CmdCDGL, *CmdSPGL, *CmdYGQX, *CmdDYSZ, *cmdTKSZ, *cmdQCJL, *CmdGLSZ, *CmdPathSetup;
    // exit
    QPushButton *CmdQHYH, *CmdXTBZ, *CmdGYXT, *CmdXTTC;
    // charts (hidden, never shown)
    QPushButton *CmdYSRQ, *CmdSKFC, *CmdJYFC, *CmdYJFX;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, int unloadMode) override;
    void Form_Resize();

    void CmdQTGL_Click();
    void CmdKFGL_Click();
    void CmdRSGL_Click();
    void CmdXTSZ_Click();
    void CmdTCXT_Click();
    void CmdQHYH_Click();
    void CmdPathSetup_Click();
    void CmdXTTC_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    enum Group { FrontDesk, Warehouse, Personnel, Settings, Exit };
    void openGroup(Group group);
    QPushButton* functionButton(QWidget* panel, const QString& caption, int top, int left = 0);
    std::map<QString, QPushButton*> m_byCode;
};
