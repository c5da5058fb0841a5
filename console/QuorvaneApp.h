#pragma once

#include "platform/ui/WinAppEx.h"

// The application: prepares the framework, then runs the main window until it closes.
class CQuorvaneApp : public CWinAppEx
{
public:
    CQuorvaneApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
