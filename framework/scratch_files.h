#pragma once

#include <string>

// The atomic writer's scratch files: named .NAME.vantrel-PID-XXXXXX beside NAME, so a
// later run tells its own leftovers from anyone else's files, and listed while open,
// so that an interrupted run removes them before it ends.

// The mkstemp pattern of a scratch file for path.
std::string ScratchPattern(const std::string& path);

// Creates a scratch file from its mkstemp pattern, listed for the signal handlers before
// it exists, so that no signal can come between its making and its listing. Its
// descriptor, or -1 with errno set; `created` is its path, `slot` what to forget it by,
// or -1 when the table is full (the file is then only removed by a later run).
int CreateScratchFile(const std::string& pattern, std::string& created, int& slot);
void ForgetScratchFile(int slot);

// SIGINT, SIGTERM and SIGHUP remove every listed scratch file, then end the process
// by the same signal, so its exit status still says it was killed. A signal the
// process was started ignoring stays ignored.
void RemoveScratchFilesOnSignal();

// Removes the scratch files of processes that no longer run from the folder that
// will hold path: once per folder and process, so a class of pictures costs one scan.
void RemoveDeadScratchFiles(const std::string& path);
