#pragma once
// The per-user temporary folder that holds copies of scripts being run, and its tidying: at
// start-up a thread deletes the copies older than a day. Only names of exactly 12 characters
// ending in ".vbs" or ".rtf" (what the runner gives its copies) are ever touched.

#include <chrono>
#include <string>

namespace quillet::app {

// Creates DataFolder()/Temp with its parents. Returns its path, also when it already exists or
// a file of that name is in the way; on any other failure makes sure the system's temporary
// folder exists and returns an empty path (no clean-up then).
[[nodiscard]] std::string PrepareTemporaryFolder();

// Deletes the stale copies in folder; returns how many went.
int CleanTemporaryFolder(const std::string& folder, std::chrono::system_clock::time_point now);

// Runs CleanTemporaryFolder once on a thread of its own; nothing waits for it.
void StartTemporaryFolderCleanup(const std::string& folder);

}  // namespace quillet::app
