#include "download/curl_handles.h"

namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_ALL); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

}  // namespace

void CurlGlobalInit() {
    static const CurlGlobal global;
}
