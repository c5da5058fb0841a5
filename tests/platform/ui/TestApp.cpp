#include "TestResources.h"
#include "platform/ui/WinAppEx.h"

namespace {

// The application object that the window layer's tests run under, with their resources.
class CTestApp : public CWinAppEx
{
public:
    CTestApp() { AfxSetResourceModule(&kTestResources); }
};

CTestApp g_testApp;

} // namespace
