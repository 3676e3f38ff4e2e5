// The power-off request over a recording stand-in for the Windows calls: which calls are
// made, in which order, with which arguments, for each answer Windows can give.
#include <climits>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "system/power_off.h"

namespace {

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows95 = 1; // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kErrorAccessDenied = 5;
constexpr PrivilegeId kShutdownLuid = {0x13, 7};

// What the stand-in Windows answers, and the calls it has seen as readable lines.
struct FakeWindows {
  uint32_t platformId = kPlatformNt;
  bool tokenOpens = true;
  uint32_t errorAfterAdjust = 0;
  bool exitAccepted = true;
  // A stale value from an earlier call, so that reading the last error too early shows.
  uint32_t lastError = 87;
  int token = 0; // its address is the token handle
  std::vector<std::string> calls;
};

FakeWindows* g_fake = nullptr;

std::string Text(const char* text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}
std::string Hex(uint32_t value) {
  char buffer[16];
  snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}
std::string Handle(const void* handle) {
  return handle == nullptr ? "null" : handle == &g_fake->token ? "token" : "other";
}

uint32_t FakePlatformId(uint32_t recordSize) {
  g_fake->calls.push_back("GetVersionExA(size " + std::to_string(recordSize) + ")");
  return g_fake->platformId;
}
bool FakeOpenProcessToken(uint32_t access, void** token) {
  g_fake->calls.push_back("OpenProcessToken(" + Hex(access) + ")");
  if (!g_fake->tokenOpens) {
    return false;
  }
  *token = &g_fake->token;
  return true;
}
void FakeLookupPrivilegeValue(const char* systemName, const char* name, PrivilegeId* id) {
  g_fake->calls.push_back("LookupPrivilegeValueA(" + Text(systemName) + ", " + Text(name) + ")");
  *id = kShutdownLuid;
}
void FakeAdjustTokenPrivileges(void* token, bool disableAll, const PrivilegeRecord* newState,
                               uint32_t bufferLength, void* previousState, uint32_t* returnLength) {
  const bool luidPassed =
      newState->id.low == kShutdownLuid.low && newState->id.high == kShutdownLuid.high;
  g_fake->calls.push_back(
      "AdjustTokenPrivileges(" + Handle(token) + ", " + (disableAll ? "TRUE" : "FALSE") +
      ", count " + std::to_string(newState->count) + " " +
      (luidPassed ? "shutdown-luid" : "other-luid") + " attr " +
      std::to_string(newState->attributes) + ", " + std::to_string(bufferLength) + ", " +
      Handle(previousState) + ", " + Handle(returnLength) + ")");
  g_fake->lastError = g_fake->errorAfterAdjust;
}
uint32_t FakeLastError() {
  g_fake->calls.push_back("GetLastError");
  return g_fake->lastError;
}
bool FakeExitWindows(uint32_t flags, uint32_t reason) {
  g_fake->calls.push_back("ExitWindowsEx(" + std::to_string(flags) + ", " + std::to_string(reason) +
                          ")");
  return g_fake->exitAccepted;
}
void FakeCloseHandle(void* handle) {
  g_fake->calls.push_back("CloseHandle(" + Handle(handle) + ")");
}

const ShutdownApi kFakeApi = {
    FakePlatformId, FakeOpenProcessToken, FakeLookupPrivilegeValue, FakeAdjustTokenPrivileges,
    FakeLastError,  FakeExitWindows,      FakeCloseHandle};

const std::string kVersion = "GetVersionExA(size 148)";
const std::string kOpen = "OpenProcessToken(0x28)";
const std::string kLookup = "LookupPrivilegeValueA(null, \"SeShutdownPrivilege\")";
const std::string kAdjust =
    "AdjustTokenPrivileges(token, FALSE, count 1 shutdown-luid attr 2, 0, null, null)";
const std::string kClose = "CloseHandle(token)";
const std::vector<std::string> kPrivilegeCalls = {kVersion, kOpen,          kLookup,
                                                  kAdjust,  "GetLastError", kClose};

class PowerOffTest : public testing::Test {
protected:
  void SetUp() override { g_fake = &fake; }
  void TearDown() override { g_fake = nullptr; }
  bool ExitWindowsAsked() const {
    for (const std::string& call : fake.calls) {
      if (call.rfind("ExitWindowsEx", 0) == 0) {
        return true;
      }
    }
    return false;
  }
  FakeWindows fake;
};

TEST_F(PowerOffTest, NtPathCallsWindowsInOrderAndAsksForForcedPowerOff) {
  EXPECT_TRUE(RequestPowerOff(kFakeApi, 1, true));
  std::vector<std::string> expected = kPrivilegeCalls;
  expected.push_back(kVersion); // the version is queried again to pick the flags
  expected.push_back("ExitWindowsEx(12, 0)");
  EXPECT_EQ(fake.calls, expected);
}

TEST_F(PowerOffTest, FlagsFollowSystemFamilyAndForce) {
  struct Case {
    uint32_t platformId;
    bool force;
    uint32_t flags;
  };
  const Case cases[] = {
      {kPlatformNt, true, 12},        {kPlatformNt, false, 8},    {kPlatformWindows95, true, 5},
      {kPlatformWindows95, false, 1}, {kPlatformWin32s, true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("platform " + std::to_string(c.platformId) + " force " + std::to_string(c.force));
    fake = FakeWindows{};
    fake.platformId = c.platformId;
    EXPECT_EQ(PowerOffFlags(c.platformId == kPlatformNt, c.force), c.flags);
    EXPECT_TRUE(RequestPowerOff(kFakeApi, 1, c.force));
    ASSERT_FALSE(fake.calls.empty());
    EXPECT_EQ(fake.calls.back(), "ExitWindowsEx(" + std::to_string(c.flags) + ", 0)");
  }
}

TEST_F(PowerOffTest, Windows95FamilyNeedsNoTokenAndAsksAtOnce) {
  fake.platformId = kPlatformWindows95;
  EXPECT_TRUE(EnableShutdownPrivilege(kFakeApi));
  EXPECT_EQ(fake.calls, std::vector<std::string>{kVersion});
  fake.calls.clear();
  EXPECT_TRUE(RequestPowerOff(kFakeApi, 1, true));
  EXPECT_EQ(fake.calls, (std::vector<std::string>{kVersion, kVersion, "ExitWindowsEx(5, 0)"}));
}

TEST_F(PowerOffTest, PrivilegeEnabledOnlyWhenLastErrorIsZero) {
  EXPECT_TRUE(EnableShutdownPrivilege(kFakeApi));
  EXPECT_EQ(fake.calls, kPrivilegeCalls);
  EXPECT_FALSE(ExitWindowsAsked());
}

TEST_F(PowerOffTest, UnopenedTokenRefusesWithoutAskingWindows) {
  fake.tokenOpens = false;
  EXPECT_FALSE(EnableShutdownPrivilege(kFakeApi));
  EXPECT_EQ(fake.calls, (std::vector<std::string>{kVersion, kOpen}));
  fake.calls.clear();
  EXPECT_FALSE(RequestPowerOff(kFakeApi, 1, true));
  EXPECT_FALSE(ExitWindowsAsked());
}

// AdjustTokenPrivileges "succeeds" for an account without the privilege; only the last
// error read right after it tells, and any non-zero value counts as a refusal.
TEST_F(PowerOffTest, AnyErrorAfterAdjustmentRefusesButClosesToken) {
  for (const uint32_t error : {kErrorNotAllAssigned, kErrorAccessDenied, 1u, 0xFFFFFFFFu}) {
    SCOPED_TRACE("error " + std::to_string(error));
    fake = FakeWindows{};
    fake.errorAfterAdjust = error;
    EXPECT_FALSE(EnableShutdownPrivilege(kFakeApi));
    EXPECT_EQ(fake.calls, kPrivilegeCalls);
    fake.calls.clear();
    EXPECT_FALSE(RequestPowerOff(kFakeApi, 1, true));
    EXPECT_EQ(fake.calls, kPrivilegeCalls);
  }
}

TEST_F(PowerOffTest, RefusedRequestReturnsFalse) {
  for (const uint32_t platform : {kPlatformNt, kPlatformWindows95}) {
    SCOPED_TRACE("platform " + std::to_string(platform));
    fake = FakeWindows{};
    fake.platformId = platform;
    fake.exitAccepted = false;
    EXPECT_FALSE(RequestPowerOff(kFakeApi, 1, true));
    EXPECT_TRUE(ExitWindowsAsked());
  }
}

TEST_F(PowerOffTest, OtherModesReturnFalseWithoutAnyCall) {
  for (const int mode : {0, 2, -1, INT_MAX, INT_MIN}) {
    for (const bool force : {true, false}) {
      SCOPED_TRACE("mode " + std::to_string(mode) + " force " + std::to_string(force));
      fake = FakeWindows{};
      EXPECT_FALSE(RequestPowerOff(kFakeApi, mode, force));
      EXPECT_TRUE(fake.calls.empty());
    }
  }
}

} // namespace
