#pragma once

#include <string>

// Texts of the UI language table, looked up from the worker thread; empty without a table.
std::wstring UiText(const std::wstring& id);
std::string UiTextUtf8(const std::wstring& id);
