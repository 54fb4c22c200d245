// The libcurl functions the grabber calls, for the window and the network
// module: each opens libcurl on first use and forwards to it, so the window
// loads libcurl and its TLS stack only when it first downloads. A grabber that calls another
// libcurl function needs it added here; the window module's build checks that
// none is left unresolved.
#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>

#include "settings/library_on_demand.h"

#include <cstdarg>

namespace {

// One handle for every function, opened once: libcurl brings some thirty
// libraries.
void* Library() {
    static void* const library = dlopen("libcurl.so.4", kestrum::kOnDemandLibraryFlags);
    return library;
}

template <typename Function> Function Real(const char* name) {
    void* const library = Library();
    return library != nullptr ? reinterpret_cast<Function>(dlsym(library, name)) : nullptr;
}

#define KESTRUM_REAL(name) static const auto real = Real<decltype(&name)>(#name)

} // namespace

extern "C" {

CURLcode curl_global_init(long flags) {
    KESTRUM_REAL(curl_global_init);
    return real != nullptr ? real(flags) : CURLE_FAILED_INIT;
}

CURL* curl_easy_init() {
    KESTRUM_REAL(curl_easy_init);
    return real != nullptr ? real() : nullptr;
}

void curl_easy_cleanup(CURL* handle) {
    KESTRUM_REAL(curl_easy_cleanup);
    if (real != nullptr)
        real(handle);
}

// The value's type follows from the option's number.
CURLcode curl_easy_setopt(CURL* handle, CURLoption option, ...) {
    KESTRUM_REAL(curl_easy_setopt);
    if (real == nullptr)
        return CURLE_FAILED_INIT;
    va_list values;
    va_start(values, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT)
        result = real(handle, option, va_arg(values, long));
    else if (option < CURLOPTTYPE_FUNCTIONPOINT || option >= CURLOPTTYPE_BLOB)
        result = real(handle, option, va_arg(values, void*));
    else if (option < CURLOPTTYPE_OFF_T)
        result = real(handle, option, va_arg(values, void (*)()));
    else
        result = real(handle, option, va_arg(values, curl_off_t));
    va_end(values);
    return result;
}

// Every kind of information is returned through a pointer.
CURLcode curl_easy_getinfo(CURL* handle, CURLINFO info, ...) {
    KESTRUM_REAL(curl_easy_getinfo);
    if (real == nullptr)
        return CURLE_FAILED_INIT;
    va_list values;
    va_start(values, info);
    const CURLcode result = real(handle, info, va_arg(values, void*));
    va_end(values);
    return result;
}

const char* curl_easy_strerror(CURLcode code) {
    KESTRUM_REAL(curl_easy_strerror);
    return real != nullptr ? real(code) : "libcurl is missing";
}

CURLM* curl_multi_init() {
    KESTRUM_REAL(curl_multi_init);
    return real != nullptr ? real() : nullptr;
}

CURLMcode curl_multi_cleanup(CURLM* multi) {
    KESTRUM_REAL(curl_multi_cleanup);
    return real != nullptr ? real(multi) : CURLM_INTERNAL_ERROR;
}

CURLMcode curl_multi_add_handle(CURLM* multi, CURL* handle) {
    KESTRUM_REAL(curl_multi_add_handle);
    return real != nullptr ? real(multi, handle) : CURLM_INTERNAL_ERROR;
}

CURLMcode curl_multi_remove_handle(CURLM* multi, CURL* handle) {
    KESTRUM_REAL(curl_multi_remove_handle);
    return real != nullptr ? real(multi, handle) : CURLM_INTERNAL_ERROR;
}

CURLMcode curl_multi_perform(CURLM* multi, int* running) {
    KESTRUM_REAL(curl_multi_perform);
    return real != nullptr ? real(multi, running) : CURLM_INTERNAL_ERROR;
}

CURLMcode curl_multi_poll(CURLM* multi, curl_waitfd* extra, unsigned count, int timeoutMs,
                          int* ready) {
    KESTRUM_REAL(curl_multi_poll);
    return real != nullptr ? real(multi, extra, count, timeoutMs, ready) : CURLM_INTERNAL_ERROR;
}

CURLMcode curl_multi_wakeup(CURLM* multi) {
    KESTRUM_REAL(curl_multi_wakeup);
    return real != nullptr ? real(multi) : CURLM_INTERNAL_ERROR;
}

CURLMsg* curl_multi_info_read(CURLM* multi, int* queued) {
    KESTRUM_REAL(curl_multi_info_read);
    return real != nullptr ? real(multi, queued) : nullptr;
}

const char* curl_multi_strerror(CURLMcode code) {
    KESTRUM_REAL(curl_multi_strerror);
    return real != nullptr ? real(code) : "libcurl is missing";
}

curl_slist* curl_slist_append(curl_slist* list, const char* text) {
    KESTRUM_REAL(curl_slist_append);
    return real != nullptr ? real(list, text) : nullptr;
}

void curl_slist_free_all(curl_slist* list) {
    KESTRUM_REAL(curl_slist_free_all);
    if (real != nullptr)
        real(list);
}

} // extern "C"
