#include "app/text_anti_alias.h"

#include <atomic>

namespace {

std::atomic<bool> textAntiAlias{false};

}  // namespace

bool TextAntiAliasEnabled() { return textAntiAlias.load(); }

void SetTextAntiAliasEnabled(bool enabled) { textAntiAlias.store(enabled); }
