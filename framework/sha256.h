#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 (FIPS 180-4) over bytes fed in pieces: a scan's fingerprint in the class
// record, computed without Qt so the reading library and the browser share it.
class Sha256 {
public:
    Sha256();
    void Add(const uint8_t* data, size_t size);
    // The digest as 64 lowercase hex digits; the object is spent afterwards.
    std::string HexDigest();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> m_state;
    std::array<uint8_t, 64> m_block {};
    size_t m_filled = 0;
    uint64_t m_length = 0;
};
