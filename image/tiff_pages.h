#pragma once

#include <QIODevice>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A TIFF's pages as the file's own directory chain gives them: each page is a
// directory whose last field points at the next page's. The chain is walked here,
// not by the decoder, so that a page it cannot reach is not silently left out.
struct TiffPages {
    std::vector<int64_t> directories; // where each readable page's directory starts, in order
    bool broken = false; // the chain points past the last readable page at one that cannot be read

    // The teacher's sentence for the pages from the first unreadable one on.
    std::string BrokenMessage() const;
};

// The chain of a classic or big TIFF, with every offset and entry count held to the
// file's size and a directory seen twice taken as the break it is; nothing when the
// file is no TIFF.
std::optional<TiffPages> ReadTiffPages(QIODevice& file);

// The file as the decoder should see it to read the page whose directory starts at
// `directory`: the same bytes, with the header pointing at that page first. The
// decoder then reads the page directly instead of walking the chain from the start.
std::unique_ptr<QIODevice> OpenTiffPage(const QString& path, int64_t directory);
