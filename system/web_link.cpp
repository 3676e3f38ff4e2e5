#include "system/web_link.h"

void OpenWebPage(const ShellApi& api, const char* address) {
  const char* file = address != nullptr ? address : kDefaultLinkAddress;
  void* owner = api.findWindow(nullptr, nullptr, nullptr, kBrowserOwnerTitle);
  // No directory: the shell works in the current directory, the program's own folder.
  api.shellExecute(owner, kOpenVerb, file, nullptr, nullptr, kShowNormal);
}
