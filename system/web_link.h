// Opening a web address through the Windows shell, decided here over a small table of
// the two Windows calls; web_link_win.cpp fills the table with the real calls.
#pragma once

// The address of the credit line: the forum's home page.
inline constexpr const char* kLinkAddress = "https://forum.quillmere.example/";
// Opened when no address is given; a bare host name, which the shell hands to the browser.
inline constexpr const char* kDefaultLinkAddress = "forum.quillmere.example";
// The whole title of a browser window that owns whatever message the shell shows.
inline constexpr const char* kBrowserOwnerTitle = "Microsoft Internet Explorer";
inline constexpr const char* kOpenVerb = "open";
// SW_SHOWNORMAL; checked against <windows.h> in web_link_win.cpp.
inline constexpr int kShowNormal = 1;

// One member per Windows call, each a plain wrapper.
struct ShellApi {
  // FindWindowExA(parent, childAfter, className, title); null when there is none.
  void* (*findWindow)(void* parent, void* childAfter, const char* className, const char* title);
  // ShellExecuteA(owner, verb, file, parameters, directory, show); the result is dropped.
  void (*shellExecute)(void* owner, const char* verb, const char* file, const char* parameters,
                       const char* directory, int show);
};

// Hands the address, or the default one when it is null, to the shell; reports nothing.
void OpenWebPage(const ShellApi& api, const char* address);
