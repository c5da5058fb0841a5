#include "console/QuorvaneApp.h"
#include "platform/ui/UiApplication.h"

CQuorvaneApp theApp;

int main(int argc, char* argv[])
{
    return AfxWinMain(argc, argv);
}
