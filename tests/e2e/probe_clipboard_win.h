// The clipboard as a user fills it before pasting.
#pragma once

#include <string>

// Puts `text` (UTF-8) on the clipboard as Unicode text; "ok" or "err ...".
std::string SetClipboardText(const std::string& text);
