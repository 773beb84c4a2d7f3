#pragma once

#include <string>

// How a sheet is named in every output: "FILE#N" for page N (from 1) of a file of
// several pages, the file's own name when it holds one.
inline std::string PageName(const std::string& file, int page, int pageCount)
{
    return pageCount > 1 ? file + "#" + std::to_string(page + 1) : file;
}
