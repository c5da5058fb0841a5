#pragma once

#include "TestResources.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

#include <functional>
#include <vector>

// A dialog over the test template whose handlers record what reached them.
class CTestDlg : public CDialogEx
{
public:
    explicit CTestDlg(UINT nIDTemplate = IDD_TEST) : CDialogEx(nIDTemplate) {}

    CString m_strText;
    CString m_strPassword;
    int m_nChoice = -1;
    CListCtrl m_list;
    CComboBox m_combo;

    std::function<BOOL(CTestDlg&)> onInit;
    std::function<void(CTestDlg&)> onAction;
    std::vector<UINT> keysSeen;
    std::vector<UINT> commands;
    std::vector<UINT> sysCommands;

    using CDialogEx::EndDialog;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnAction();
    void OnFirst() { commands.push_back(ID_TEST_FIRST); }
    void OnSecond() { commands.push_back(ID_TEST_SECOND); }
    void OnSysCommand(UINT nID, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
