#pragma once

#include "framework/status.h"

#include <string>
#include <vector>

// The files vantrel-grade has written into a folder of pictures (--annotate,
// --review-images) are listed in DIR/.vantrel-grade-files, so that a run over its own
// earlier output replaces them while anyone else's file of the same name (another
// class's img001.png) is refused before anything is written.

// The first of the paths (files of the directory) that is there, is no folder (a
// write to a folder fails and is told), and is not on the list; empty when none.
std::string FirstFileNotWrittenHere(const std::string& directory, const std::vector<std::string>& paths);

// Adds the names of the paths to the directory's list, written through the atomic
// writer; done before the pictures are, so a run cut short still knows them.
Status ListAsWrittenHere(const std::string& directory, const std::vector<std::string>& paths);
