#pragma once

#include "platform/ui/Dialog.h"
#include "tests/support/ModalScript.h"

#include <gtest/gtest.h>

#include <concepts>
#include <source_location>

// Runs start, which opens the windows that script answers (a dialog's DoModal, the
// application's start-up), and then fails the running test at the caller's line, with the
// script's failure, unless every step of the script played. What start returned.
template <std::invocable Start>
auto RunScripted(CModalScript& script, Start start, std::source_location where = std::source_location::current())
{
    const auto result = start();
    if (!script.Finished())
        ADD_FAILURE_AT(where.file_name(), where.line()) << "script unfinished: " << script.Failure().toStdString();
    return result;
}

// Runs the dialog modally under script; the dialog's result.
inline INT_PTR RunScripted(CModalScript& script, CDialog& dlg,
                           std::source_location where = std::source_location::current())
{
    const auto doModal = [&dlg] { return dlg.DoModal(); };
    return RunScripted(script, doModal, where);
}

inline INT_PTR RunScripted(CModalScript& script, CDialog&& dlg,
                           std::source_location where = std::source_location::current())
{
    return RunScripted(script, dlg, where);
}
