#pragma once

#include "platform/core/WinApp.h"

// The application: prepares the framework, then runs the main window until it closes.
class CQuorvaneApp : public CWinApp
{
public:
    CQuorvaneApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
