#pragma once

#include "platform/ui/Dialog.h"

// Asks for the name of a new user. Run from the add-device dialog only; the caller checks
// the name against the users it already has.
class CDlgAddGroup : public CDialogEx
{
    DECLARE_DYNAMIC(CDlgAddGroup)

public:
    CDlgAddGroup();
    ~CDlgAddGroup() override;

    // After IDOK: trimmed, not empty, free of '{' and '}'.
    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnBnClickedOk();
    void OnBnClickedCancel();

    DECLARE_MESSAGE_MAP()
};
