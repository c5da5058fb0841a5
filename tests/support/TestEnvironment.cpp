// Linked into every test binary: what each needs before main() runs, whether it is started
// by CTest or by hand.
#include <cstdlib>

// fontconfig keeps a few blocks of its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// Qt, and the GLib its event loop runs on, are not built with ThreadSanitizer: their locks are
// futexes the sanitizer cannot see, so the work they share with their own helper threads (image
// drawing, font loading, GLib's memory handed between them) looks racy. Only reports that begin
// inside them are dropped; a race whose top frame is our code still shows, and no data of ours
// crosses threads through Qt.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libglib-2.0.so.0\n"
           "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "race_top:libglib-2.0.so.0\n"
           "race_top:libQt6Core.so.6\n"
           "race_top:libQt6Gui.so.6\n"
           "race_top:libQt6Widgets.so.6\n";
}

namespace {

// GUI tests run on Qt's offscreen platform, so no display is needed.
const bool g_offscreen = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return true;
}();

} // namespace
