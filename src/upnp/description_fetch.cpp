// SPDX-License-Identifier: MIT
#include "upnp/description_fetch.h"

#include "upnp/glib_handles.h"

#include <array>
#include <memory>
#include <utility>

namespace Upnp {

namespace {

constexpr std::size_t kChunk = 16 * 1024;

// One fetch in flight. Owned by whichever callback is pending: each step
// takes it back and hands it on, so it lives exactly as long as the fetch.
struct Fetch {
    GObjectPtr<SoupSession> session;
    GObjectPtr<SoupMessage> message;
    GObjectPtr<GCancellable> cancellable;
    GObjectPtr<GInputStream> body;
    std::string text;
    std::array<char, kChunk> chunk{};
    FetchDone done;
};

using FetchPtr = std::unique_ptr<Fetch>;

void ReadMore(FetchPtr fetch);

// Ends the fetch. A body not read to its end is closed only after the
// fetch's cancellable is raised: closing an open HTTP body otherwise reads
// (and waits for) the rest of it.
void Finish(FetchPtr fetch, FetchEnd end)
{
    if (fetch->body) {
        if (end != FetchEnd::Read)
            g_cancellable_cancel(fetch->cancellable.get());
        g_input_stream_close(fetch->body.get(), fetch->cancellable.get(), nullptr);
        fetch->body.reset();
    }
    FetchDone done = std::move(fetch->done);
    std::string text = end == FetchEnd::Read ? std::move(fetch->text) : std::string();
    fetch.reset();
    done(end, std::move(text));
}

void OnRead(GObject* source, GAsyncResult* result, gpointer data)
{
    FetchPtr fetch(static_cast<Fetch*>(data));
    GError* raw = nullptr;
    const gssize n = g_input_stream_read_finish(G_INPUT_STREAM(source), result, &raw);
    const GErrorPtr error(raw);
    if (n < 0)
        return Finish(std::move(fetch), FetchEnd::Failed);
    if (n == 0)
        return Finish(std::move(fetch), FetchEnd::Read);
    if (fetch->text.size() + static_cast<std::size_t>(n) > kDescriptionCap)
        return Finish(std::move(fetch), FetchEnd::TooLarge);
    fetch->text.append(fetch->chunk.data(), static_cast<std::size_t>(n));
    ReadMore(std::move(fetch));
}

void ReadMore(FetchPtr fetch)
{
    GInputStream* body = fetch->body.get();
    char* into = fetch->chunk.data();
    GCancellable* cancellable = fetch->cancellable.get();
    g_input_stream_read_async(body, into, kChunk, G_PRIORITY_DEFAULT, cancellable, &OnRead, fetch.release());
}

void OnHeaders(GObject* source, GAsyncResult* result, gpointer data)
{
    FetchPtr fetch(static_cast<Fetch*>(data));
    GError* raw = nullptr;
    fetch->body.reset(soup_session_send_finish(SOUP_SESSION(source), result, &raw));
    const GErrorPtr error(raw);
    if (!fetch->body)
        return Finish(std::move(fetch), FetchEnd::Failed);
    if (!SOUP_STATUS_IS_SUCCESSFUL(soup_message_get_status(fetch->message.get())))
        return Finish(std::move(fetch), FetchEnd::Failed);
    SoupMessageHeaders* headers = soup_message_get_response_headers(fetch->message.get());
    if (soup_message_headers_get_encoding(headers) == SOUP_ENCODING_CONTENT_LENGTH &&
        soup_message_headers_get_content_length(headers) > static_cast<goffset>(kDescriptionCap))
        return Finish(std::move(fetch), FetchEnd::TooLarge);
    ReadMore(std::move(fetch));
}

} // namespace

void FetchDescription(SoupSession* session, const std::string& location, GCancellable* cancellable,
                      FetchDone done)
{
    const GUriPtr uri(g_uri_parse(location.c_str(), G_URI_FLAGS_NONE, nullptr));
    if (!uri || g_strcmp0(g_uri_get_scheme(uri.get()), "http") != 0) {
        done(FetchEnd::Failed, {});
        return;
    }
    auto fetch = std::make_unique<Fetch>();
    fetch->session.reset(SOUP_SESSION(g_object_ref(session)));
    fetch->message.reset(soup_message_new_from_uri(SOUP_METHOD_GET, uri.get()));
    fetch->cancellable.reset(G_CANCELLABLE(g_object_ref(cancellable)));
    fetch->done = std::move(done);
    SoupMessage* message = fetch->message.get();
    soup_session_send_async(session, message, G_PRIORITY_DEFAULT, cancellable, &OnHeaders, fetch.release());
}

} // namespace Upnp
