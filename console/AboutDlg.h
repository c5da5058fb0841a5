#pragma once

#include "platform/ui/Dialog.h"

class CAboutDlg : public CDialogEx
{
public:
    CAboutDlg();

    DECLARE_MESSAGE_MAP()
};
