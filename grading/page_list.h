#pragma once

#include "image/page_name.h"

#include <cstdint>
#include <string>
#include <vector>

// One sheet to grade: a page of one of the files given.
struct SheetPage {
    std::string file; // as given on the command line
    int page = 0; // from 0
    int pageCount = 1;
    std::string refusal; // why the page cannot be read; it then stands for the pages from it on
    int64_t directory = 0; // where a TIFF page's directory starts; 0: not a TIFF page

    // FILE#N for a page of a file of several, the file's name otherwise.
    std::string Name() const { return PageName(file, page, pageCount); }
};

// Every page of every file, in order, as each file's own structure promises them:
// the pages of a file from the first unreadable one on are one refused page. Only the pages are counted here;
// each is decoded when it is graded, so a long PDF never sits in memory whole.
std::vector<SheetPage> ListPages(const std::vector<std::string>& files);

// The files with each one given once. A file named twice (`./img001.jpg` beside
// `img001.jpg`, a hard link, a symbolic link) is known by its device and inode and
// kept where it first comes; each repeat is a note for a person naming both paths.
struct DistinctFiles {
    std::vector<std::string> files;
    std::vector<std::string> notes;
};
DistinctFiles DropRepeatedFiles(const std::vector<std::string>& files);
