#include "net/CurlLibrary.h"

#include "base/Errors.h"

#include <dlfcn.h>

#include <string>

namespace {

// The library's name since libcurl 7.16; the build links nothing of it.
constexpr const char* kCurlFile = "libcurl.so.4";

NetworkError CannotStart(const std::string& reason)
{
    return NetworkError("Cannot start the network library: " + reason + ".");
}

template <typename Function>
void Find(void* library, const char* name, Function& function)
{
    void* address = ::dlsym(library, name);
    if (!address)
        throw CannotStart(std::string(kCurlFile) + " has no " + name);
    function = reinterpret_cast<Function>(address);
}

CurlLibrary Load()
{
    // Never closed: libcurl keeps global state until the process ends.
    void* library = ::dlopen(kCurlFile, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = ::dlerror();
        throw CannotStart(reason ? reason : kCurlFile);
    }
    CurlLibrary curl{};
    Find(library, "curl_global_init", curl.globalInit);
    Find(library, "curl_easy_init", curl.easyInit);
    Find(library, "curl_easy_cleanup", curl.easyCleanup);
    Find(library, "curl_easy_reset", curl.easyReset);
    Find(library, "curl_easy_setopt", curl.easySetopt);
    Find(library, "curl_easy_perform", curl.easyPerform);
    Find(library, "curl_easy_getinfo", curl.easyGetinfo);
    Find(library, "curl_easy_strerror", curl.easyStrerror);
    Find(library, "curl_slist_append", curl.slistAppend);
    Find(library, "curl_slist_free_all", curl.slistFreeAll);
    const CURLcode code = curl.globalInit(CURL_GLOBAL_DEFAULT);
    if (code != CURLE_OK)
        throw CannotStart(curl.easyStrerror(code));
    return curl;
}

}  // namespace

const CurlLibrary& Curl()
{
    // A function-local static keeps concurrent first fetches safe; a failed
    // load throws out of it, so the next fetch tries again.
    static const CurlLibrary curl = Load();
    return curl;
}
