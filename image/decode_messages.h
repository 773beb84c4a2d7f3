#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Collects the warnings Qt logs on this thread while alive (an image plugin's,
// libjpeg's "Corrupt JPEG data"), so that those lines go with the sheet that
// caused them instead of reaching standard error on their own. Other threads
// log as before, so sheets decoding side by side keep their lines apart.
// Nests: an inner collector takes the lines until it ends.
class DecodeMessages {
public:
    DecodeMessages();
    ~DecodeMessages();
    DecodeMessages(const DecodeMessages&) = delete;
    DecodeMessages& operator=(const DecodeMessages&) = delete;

    const std::vector<std::string>& Lines() const { return m_lines; }
    void Add(std::string line) { m_lines.push_back(std::move(line)); }
    // The lines joined by "; ", for a one-line reason.
    std::string Joined() const;

private:
    std::vector<std::string> m_lines;
    DecodeMessages* m_outer;
};
