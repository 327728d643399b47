// libcurl's calls, taken from the library when the first transfer needs it.
// Linked, libcurl and the twenty-odd libraries below it (TLS, Kerberos,
// LDAP, SSH) were loaded and initialised by every start, a sixth of the
// window's start-up, though most runs never make a transfer.

#define CURL_DISABLE_TYPECHECK
#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdarg>

#include "base/trace.h"

namespace {

using AnyFunction = void (*)();

struct CurlLibrary {
    CURLcode (*global_init)(long) = nullptr;
    CURL* (*easy_init)() = nullptr;
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*easy_perform)(CURL*) = nullptr;
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...) = nullptr;
    void (*easy_cleanup)(CURL*) = nullptr;
    curl_slist* (*slist_append)(curl_slist*, const char*) = nullptr;
    void (*slist_free_all)(curl_slist*) = nullptr;

    bool complete() const {
        return global_init && easy_init && easy_setopt && easy_perform && easy_getinfo &&
               easy_cleanup && slist_append && slist_free_all;
    }
};

template <typename Function>
void Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
}

CurlLibrary Load() {
    CurlLibrary curl;
    // Kept for the rest of the run: libcurl cannot be unloaded once used.
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* error = dlerror();
        tessaly::Trace(2, "libcurl cannot be loaded: %s", error != nullptr ? error : "");
        return curl;
    }
    Resolve(library, "curl_global_init", curl.global_init);
    Resolve(library, "curl_easy_init", curl.easy_init);
    Resolve(library, "curl_easy_setopt", curl.easy_setopt);
    Resolve(library, "curl_easy_perform", curl.easy_perform);
    Resolve(library, "curl_easy_getinfo", curl.easy_getinfo);
    Resolve(library, "curl_easy_cleanup", curl.easy_cleanup);
    Resolve(library, "curl_slist_append", curl.slist_append);
    Resolve(library, "curl_slist_free_all", curl.slist_free_all);
    if (!curl.complete()) {
        tessaly::Trace(2, "libcurl lacks a function this program calls");
        return {};
    }
    return curl;
}

const CurlLibrary& Curl() {
    static const CurlLibrary curl = Load();
    return curl;
}

}  // namespace

// Without the library every call fails as libcurl's own do, so a check or a
// download reports no answer.
extern "C" {

CURLcode curl_global_init(long flags) {
    return Curl().global_init ? Curl().global_init(flags) : CURLE_FAILED_INIT;
}

CURL* curl_easy_init() {
    return Curl().easy_init ? Curl().easy_init() : nullptr;
}

// The option's number says the type of its one argument.
CURLcode curl_easy_setopt(CURL* handle, CURLoption option, ...) {
    if (!Curl().easy_setopt) {
        return CURLE_FAILED_INIT;
    }
    va_list arguments;
    va_start(arguments, option);
    CURLcode result;
    if (option < CURLOPTTYPE_OBJECTPOINT) {
        result = Curl().easy_setopt(handle, option, va_arg(arguments, long));
    } else if (option < CURLOPTTYPE_FUNCTIONPOINT) {
        result = Curl().easy_setopt(handle, option, va_arg(arguments, void*));
    } else if (option < CURLOPTTYPE_OFF_T) {
        result = Curl().easy_setopt(handle, option, va_arg(arguments, AnyFunction));
    } else if (option < CURLOPTTYPE_BLOB) {
        result = Curl().easy_setopt(handle, option, va_arg(arguments, curl_off_t));
    } else {
        result = Curl().easy_setopt(handle, option, va_arg(arguments, void*));
    }
    va_end(arguments);
    return result;
}

CURLcode curl_easy_perform(CURL* handle) {
    return Curl().easy_perform ? Curl().easy_perform(handle) : CURLE_FAILED_INIT;
}

// Every piece of information is written through a pointer.
CURLcode curl_easy_getinfo(CURL* handle, CURLINFO info, ...) {
    if (!Curl().easy_getinfo) {
        return CURLE_FAILED_INIT;
    }
    va_list arguments;
    va_start(arguments, info);
    const CURLcode result = Curl().easy_getinfo(handle, info, va_arg(arguments, void*));
    va_end(arguments);
    return result;
}

void curl_easy_cleanup(CURL* handle) {
    if (Curl().easy_cleanup) {
        Curl().easy_cleanup(handle);
    }
}

curl_slist* curl_slist_append(curl_slist* list, const char* text) {
    return Curl().slist_append ? Curl().slist_append(list, text) : nullptr;
}

void curl_slist_free_all(curl_slist* list) {
    if (Curl().slist_free_all) {
        Curl().slist_free_all(list);
    }
}

}  // extern "C"
