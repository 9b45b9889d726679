#pragma once

#include <curl/curl.h>

#include "base/unique_handle.h"

// Owners of libcurl's handles.

struct CurlEasyTraits {
    using Raw = CURL*;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw h) { curl_easy_cleanup(h); }
};

struct CurlMultiTraits {
    using Raw = CURLM*;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw h) { curl_multi_cleanup(h); }
};

struct CurlHeaderListTraits {
    using Raw = curl_slist*;
    static Raw Invalid() { return nullptr; }
    static void Close(Raw h) { curl_slist_free_all(h); }
};

using CurlEasy = kbase::UniqueHandle<CurlEasyTraits>;
using CurlMulti = kbase::UniqueHandle<CurlMultiTraits>;
using CurlHeaderList = kbase::UniqueHandle<CurlHeaderListTraits>;

// curl_global_init once per process, before the first handle; curl_global_cleanup at exit,
// after every owner above that lives in a function-local static made later.
void CurlGlobalInit();
