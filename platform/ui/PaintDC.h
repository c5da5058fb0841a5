#pragma once

#include "platform/ui/Wnd.h"

#include <memory>

class QPainter;

// A drawing surface on a window's widget, usable while the widget paints itself.
class CDC
{
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() { return reinterpret_cast<HDC>(this); }
    static CDC* FromHandle(HDC hDC) { return reinterpret_cast<CDC*>(hDC); }
    BOOL DrawIcon(int x, int y, HICON hIcon);
    // Fills the whole surface with the window's background colour.
    void EraseBackground();

protected:
    std::unique_ptr<QPainter> m_pPainter;
    QWidget* m_pWidget = nullptr;
};

// The surface of a window during its WM_PAINT handling.
class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
};

int GetSystemMetrics(int nIndex);
