#pragma once

#include <curl/curl.h>

// The libcurl calls the fetch makes, found in libcurl.so.4 the first time a
// fetch needs them: a command that fetches nothing never loads libcurl and
// the dozen libraries it pulls in, which would cost every start of the tool
// several milliseconds. Loading is thread-safe and happens once a process.
struct CurlLibrary {
    decltype(&curl_global_init) globalInit;
    decltype(&curl_easy_init) easyInit;
    decltype(&curl_easy_cleanup) easyCleanup;
    decltype(&curl_easy_reset) easyReset;
    decltype(&curl_easy_setopt) easySetopt;
    decltype(&curl_easy_perform) easyPerform;
    decltype(&curl_easy_getinfo) easyGetinfo;
    decltype(&curl_easy_strerror) easyStrerror;
    decltype(&curl_slist_append) slistAppend;
    decltype(&curl_slist_free_all) slistFreeAll;
};

// libcurl loaded and started (curl_global_init done). Throws NetworkError
// saying what is missing when the library or one of its calls cannot be
// found, or when it fails to start.
const CurlLibrary& Curl();
