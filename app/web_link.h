#pragma once

#include <string>

// Links come from the skin's channel files and from web pages; only web addresses are handed
// to the shell, never a program, a file or another protocol handler.
bool IsWebLink(const std::string& url);
