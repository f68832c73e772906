#pragma once
// Small metafiles made in the tests: an EMF of a header and an end record, a WMF of a
// metafile header and an end record, with or without a placeable header before them.

#include <cstdint>
#include <string>

namespace pennory::text::testing {

inline void putLe16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

inline void putLe32(std::string& out, std::uint32_t v) {
    putLe16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    putLe16(out, static_cast<std::uint16_t>(v >> 16));
}

// EMR_HEADER (88 bytes; bounds 0,0..95,47 pixels; frame 0,0..2539,1269 in 0.01 mm) and
// EMR_EOF (20 bytes): 108 bytes in all.
inline std::string tinyEmf() {
    std::string out;
    putLe32(out, 1);                                                 // EMR_HEADER
    putLe32(out, 88);                                                // its size
    for (std::uint32_t v : {0u, 0u, 95u, 47u}) putLe32(out, v);      // bounds
    for (std::uint32_t v : {0u, 0u, 2539u, 1269u}) putLe32(out, v);  // frame
    putLe32(out, 0x464D4520);                                        // " EMF"
    putLe32(out, 0x10000);                                           // version
    putLe32(out, 108);                                               // bytes
    putLe32(out, 2);                                                 // records
    putLe16(out, 1);                                                 // handles
    putLe16(out, 0);
    for (std::uint32_t v : {0u, 0u, 0u, 1024u, 768u, 320u, 240u}) putLe32(out, v);
    putLe32(out, 14);  // EMR_EOF
    putLe32(out, 20);
    putLe32(out, 0);
    putLe32(out, 16);
    putLe32(out, 20);
    return out;
}

// The WMF records: the metafile header (9 words) and the end record (3 words).
inline std::string tinyWmfRecords() {
    std::string out;
    for (std::uint16_t v : {1, 9, 0x0300}) putLe16(out, v);
    putLe32(out, 12);  // size in words
    putLe16(out, 0);   // objects
    putLe32(out, 3);   // largest record in words
    putLe16(out, 0);
    putLe32(out, 3);  // META_EOF
    putLe16(out, 0);
    return out;
}

// A WMF file as packages hold it: a placeable header of a box 0,0..1000,500 at 1000 units an
// inch (no header Pennory would build), then the records.
inline std::string tinyWmfFile() {
    std::string out("\xD7\xCD\xC6\x9A", 4);
    for (std::uint16_t v : {0, 0, 0, 1000, 500, 1000}) putLe16(out, v);
    putLe32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(out[i]) |
                                               (static_cast<unsigned char>(out[i + 1]) << 8));
    putLe16(out, checksum);
    return out + tinyWmfRecords();
}

// Bytes as lowercase hex, as RTF holds picture data.
inline std::string hexOf(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

}  // namespace pennory::text::testing
