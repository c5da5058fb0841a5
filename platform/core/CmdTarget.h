#pragma once

#include "platform/core/WindowMessages.h"

// Run-time class information: a class's name and its base, for the classes that declare it.
struct CRuntimeClass
{
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class CObject
{
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    static const CRuntimeClass classCObject;
};

// The macros are laid out by hand, one handler entry a line where it fits.
// clang-format off
#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

#define DECLARE_DYNAMIC(theClass)                                                              \
public:                                                                                        \
    static const CRuntimeClass class##theClass;                                                \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(theClass, baseClass)                                                 \
    const CRuntimeClass theClass::class##theClass = {#theClass, RUNTIME_CLASS(baseClass)};     \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

class CCmdTarget;

// One handler of a message map: the message it takes (for WM_COMMAND and WM_NOTIFY also the
// notification code and the control id) and a function that unpacks the message's
// parameters and calls the member.
using AFX_PMSG = LRESULT (*)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Every class that receives messages has a static table of handlers, searched before the
// table of its base class.
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first handler for the message in this object's table or its bases' tables, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
    // Calls the handler for the message, if there is one. WM_COMMAND and WM_NOTIFY are matched
    // by notification code and control id, every other message by the message alone.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
};

#define DECLARE_MESSAGE_MAP()                                                                  \
protected:                                                                                     \
    static const AFX_MSGMAP* GetThisMessageMap();                                              \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }          \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                            \
    {                                                                                          \
        using ThisClass [[maybe_unused]] = theClass;                                           \
        using TheBaseClass = baseClass;                                                        \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                      \
        {0, 0, 0, nullptr}};                                                                   \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};      \
        return &messageMap;                                                                    \
    }

#define AFX_THIS(p) static_cast<ThisClass*>(p)

#define ON_COMMAND(id, memberFxn)                                                              \
    {WM_COMMAND, 0, static_cast<UINT>(id),                                                     \
     [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT { (AFX_THIS(p)->*(memberFxn))(); return 0; }},

#define ON_CONTROL(code, id, memberFxn)                                                        \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id),                               \
     [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT { (AFX_THIS(p)->*(memberFxn))(); return 0; }},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

#define ON_NOTIFY(code, id, memberFxn)                                                         \
    {WM_NOTIFY, static_cast<UINT>(code), static_cast<UINT>(id),                                \
     [](CCmdTarget* p, WPARAM, LPARAM l) -> LRESULT {                                          \
         LRESULT result = 0;                                                                   \
         (AFX_THIS(p)->*(memberFxn))(reinterpret_cast<NMHDR*>(l), &result);                    \
         return result;                                                                        \
     }},

#define ON_WM_SYSCOMMAND()                                                                     \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l) -> LRESULT {                   \
         AFX_THIS(p)->OnSysCommand(static_cast<UINT>(w), l); return 0; }},

#define ON_WM_PAINT()                                                                          \
    {WM_PAINT, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT { AFX_THIS(p)->OnPaint(); return 0; }},

#define ON_WM_QUERYDRAGICON()                                                                  \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT {                    \
         return reinterpret_cast<LRESULT>(AFX_THIS(p)->OnQueryDragIcon()); }},

#define ON_WM_DESTROY()                                                                        \
    {WM_DESTROY, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT { AFX_THIS(p)->OnDestroy(); return 0; }},
// clang-format on
