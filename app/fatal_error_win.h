// The fatal-error end: events held back for good, an error box naming the failed step,
// exit code -1.
#pragma once

[[noreturn]] void FatalError(const char* failedStep);
