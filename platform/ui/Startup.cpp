#include "platform/ui/Startup.h"

#include "platform/ui/UiApplication.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

IMPLEMENT_DYNAMIC(CMFCVisualManager, CObject)
IMPLEMENT_DYNAMIC(CMFCVisualManagerWindows, CMFCVisualManager)

namespace {
QString g_defaultStyleName;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*)
{
    AfxEnsureUiApplication();
    return TRUE;
}

void CMFCVisualManager::SetDefaultManager(const CRuntimeClass* pRTI)
{
    AfxEnsureUiApplication();
    if (g_defaultStyleName.isEmpty())
        g_defaultStyleName = QApplication::style()->name();
    // Qt draws a Windows-like look with its "Windows" style.
    if (pRTI && pRTI->IsDerivedFrom(RUNTIME_CLASS(CMFCVisualManagerWindows)))
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
}

void ControlBarCleanUp()
{
    if (!g_defaultStyleName.isEmpty() && QCoreApplication::instance())
        QApplication::setStyle(QStyleFactory::create(g_defaultStyleName));
    g_defaultStyleName.clear();
}
