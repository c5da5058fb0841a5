// Linked into every test binary: what each needs before main() runs, whether it is started
// by CTest or by hand.
#include <cstdlib>

// fontconfig keeps a few blocks of its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// Qt is not built with ThreadSanitizer: its locks are futexes the sanitizer cannot see, so the
// work it shares with its own helper threads (image drawing, font loading) looks racy. The same
// holds for GLib, which runs the event loops of Qt's threads and recycles their memory. Only
// reports that begin inside Qt or GLib are dropped; a race whose top frame is our code still
// shows, and no data of ours crosses threads through them.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n"
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
