// How e2e_probe.exe reads another process's windows: every question with a deadline, and
// every text handed on as hex of its UTF-8 bytes.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT kAnsiCodePage = 936; // the program's texts are GBK bytes
constexpr UINT kAnswerWaitMs = 2000;

std::string Hex(const std::string& bytes);
std::string Unhex(const std::string& hex);
// Recodes between code pages (CP_UTF8, kAnsiCodePage) through UTF-16.
std::string Convert(const std::string& text, UINT from, UINT to);

// Sends with a deadline, so that a hung program shows as a timeout, never a hung probe.
bool Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The window text as UTF-8 hex; "timeout" when the window does not answer.
std::string TextOf(HWND hwnd);
// Item `index` of a combo box as UTF-8 hex; "none" when there is no such item.
std::string ItemOf(HWND combo, int index);

std::string Number(LRESULT value);
