// Opening the web link over a recording stand-in for the two shell calls.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "system/web_link.h"

namespace {

struct FakeShell {
  bool browserWindowOpen = false;
  int browserWindow = 0; // its address is the browser window's handle
  std::vector<std::string> calls;
};

FakeShell* g_shell = nullptr;

std::string Text(const char* text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}
std::string Handle(const void* handle) {
  return handle == nullptr ? "null" : handle == &g_shell->browserWindow ? "browser" : "other";
}

void* FakeFindWindow(void* parent, void* childAfter, const char* className, const char* title) {
  g_shell->calls.push_back("FindWindowExA(" + Handle(parent) + ", " + Handle(childAfter) + ", " +
                           Text(className) + ", " + Text(title) + ")");
  return g_shell->browserWindowOpen ? &g_shell->browserWindow : nullptr;
}
void FakeShellExecute(void* owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int show) {
  g_shell->calls.push_back("ShellExecuteA(" + Handle(owner) + ", " + Text(verb) + ", " +
                           Text(file) + ", " + Text(parameters) + ", " + Text(directory) + ", " +
                           std::to_string(show) + ")");
}

const ShellApi kFakeApi = {FakeFindWindow, FakeShellExecute};

const std::string kFindBrowser = "FindWindowExA(null, null, null, \"Microsoft Internet Explorer\")";

class WebLinkTest : public testing::Test {
protected:
  void SetUp() override { g_shell = &shell; }
  void TearDown() override { g_shell = nullptr; }
  FakeShell shell;
};

TEST_F(WebLinkTest, HandsAddressOrDefaultToShellWithBrowserAsOwner) {
  struct Case {
    const char* address;
    bool browserWindowOpen;
    std::string shellCall;
  };
  const Case cases[] = {
      {"https://forum.quillmere.example/", false,
       "ShellExecuteA(null, \"open\", \"https://forum.quillmere.example/\", null, null, 1)"},
      {"https://forum.quillmere.example/", true,
       "ShellExecuteA(browser, \"open\", \"https://forum.quillmere.example/\", null, null, 1)"},
      {nullptr, false, "ShellExecuteA(null, \"open\", \"forum.quillmere.example\", null, null, 1)"},
      {nullptr, true,
       "ShellExecuteA(browser, \"open\", \"forum.quillmere.example\", null, null, 1)"},
      // An empty text is an address given, not a missing one.
      {"", false, "ShellExecuteA(null, \"open\", \"\", null, null, 1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Text(c.address) + (c.browserWindowOpen ? " with browser" : " alone"));
    shell = FakeShell{};
    shell.browserWindowOpen = c.browserWindowOpen;
    OpenWebPage(kFakeApi, c.address);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{kFindBrowser, c.shellCall}));
  }
}

TEST_F(WebLinkTest, EachRequestOpensThePageOnceMore) {
  OpenWebPage(kFakeApi, kLinkAddress);
  OpenWebPage(kFakeApi, kLinkAddress);
  const std::string open =
      "ShellExecuteA(null, \"open\", \"https://forum.quillmere.example/\", null, null, 1)";
  EXPECT_EQ(shell.calls, (std::vector<std::string>{kFindBrowser, open, kFindBrowser, open}));
}

TEST(WebLinkAddress, ProgramAddressIsForumHomePageAndDefaultIsBareHost) {
  const std::string link = kLinkAddress;
  const std::string scheme = "https://";
  ASSERT_EQ(link.rfind(scheme, 0), 0u);
  EXPECT_EQ(link.find('/', scheme.size()), link.size() - 1); // the path is "/"
  const std::string fallback = kDefaultLinkAddress;
  EXPECT_FALSE(fallback.empty());
  EXPECT_EQ(fallback.find(':'), std::string::npos);
  EXPECT_EQ(fallback.find('/'), std::string::npos);
}

} // namespace
