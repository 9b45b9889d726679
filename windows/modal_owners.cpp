#include "windows/modal_owners.h"

#include <map>

namespace {

std::map<HWND, int>& OpenCounts() {
    static std::map<HWND, int> counts;
    return counts;
}

}  // namespace

void ModalOwners::Hold(HWND owner) {
    if (!owner) return;
    ++OpenCounts()[owner];
    ::EnableWindow(owner, FALSE);
}

void ModalOwners::Release(HWND owner) {
    auto& counts = OpenCounts();
    const auto it = counts.find(owner);
    if (it == counts.end()) return;
    if (--it->second > 0) return;
    counts.erase(it);
    if (!::IsWindow(owner)) return;
    ::EnableWindow(owner, TRUE);
    ::SetFocus(owner);
}
