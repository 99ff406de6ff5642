// SPDX-License-Identifier: MIT
// What ThreadSanitizer is to leave alone in the window tests: races it
// reports inside the system's own Qt, GLib and GUPnP libraries, which are
// not built for it, so their futex-based locks and thread pools are
// invisible to it. Its stacks hold only instrumented frames plus the library
// frame that called into it, so a race on our own data, touched by our own
// code, still carries no library frame and is still reported.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt6Core.so\n"
           "race:libQt6Gui.so\n"
           "race:libQt6Widgets.so\n"
           "race:libQt6Network.so\n"
           "race:libglib-2.0.so\n"
           "race:libgobject-2.0.so\n"
           "race:libgio-2.0.so\n"
           "race:libsoup-3.0.so\n"
           "race:libgssdp-1.6.so\n"
           "race:libgupnp-1.6.so\n";
}
#endif
