// SPDX-License-Identifier: MIT
#pragma once

#include <glib-object.h>

#include <memory>
#include <string>

namespace Upnp {

// Owning handles for the GLib objects the engine and the simulator hold.

struct GObjectUnref {
    void operator()(gpointer object) const
    {
        if (object)
            g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<char, GFree>;

struct GErrorFree {
    void operator()(GError* error) const
    {
        if (error)
            g_error_free(error);
    }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct GMainContextUnref {
    void operator()(GMainContext* context) const
    {
        if (context)
            g_main_context_unref(context);
    }
};
using GMainContextPtr = std::unique_ptr<GMainContext, GMainContextUnref>;

struct GMainLoopUnref {
    void operator()(GMainLoop* loop) const
    {
        if (loop)
            g_main_loop_unref(loop);
    }
};
using GMainLoopPtr = std::unique_ptr<GMainLoop, GMainLoopUnref>;

// A source is taken off its context and released together.
struct GSourceDestroy {
    void operator()(GSource* source) const
    {
        if (source) {
            g_source_destroy(source);
            g_source_unref(source);
        }
    }
};
using GSourcePtr = std::unique_ptr<GSource, GSourceDestroy>;

struct GUriUnref {
    void operator()(GUri* uri) const
    {
        if (uri)
            g_uri_unref(uri);
    }
};
using GUriPtr = std::unique_ptr<GUri, GUriUnref>;

// A list of object references, as the device info listings return them.
struct GObjectListFree {
    void operator()(GList* list) const { g_list_free_full(list, g_object_unref); }
};
using GObjectListPtr = std::unique_ptr<GList, GObjectListFree>;

// Makes `context` the thread-default main context of the calling thread for
// the lifetime of this object, so every source GUPnP, GSSDP and libsoup
// create lands on it.
class ThreadDefaultContext {
public:
    explicit ThreadDefaultContext(GMainContext* context) : m_context(context)
    {
        g_main_context_push_thread_default(m_context);
    }
    ~ThreadDefaultContext() { g_main_context_pop_thread_default(m_context); }
    ThreadDefaultContext(const ThreadDefaultContext&) = delete;
    ThreadDefaultContext& operator=(const ThreadDefaultContext&) = delete;

private:
    GMainContext* m_context;
};

// Takes a GLib-allocated string: its text (empty for null), memory freed.
inline std::string TakeText(char* text)
{
    GCharPtr owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

// The text of a borrowed string; empty for null.
inline std::string BorrowedText(const char* text)
{
    return text ? std::string(text) : std::string();
}

} // namespace Upnp
