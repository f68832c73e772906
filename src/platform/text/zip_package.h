#pragma once
// Zip packages (DOCX, ODT) read from and written to memory. Reading is bounded: entry count,
// each entry's and all entries' inflated size are budgeted, so a small hostile file cannot
// make the program inflate gigabytes. Entry names are only ever compared with the names a
// format expects; they are never used as paths.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/byte_sink.h"

namespace pennory::text {

// Why a package could not be read.
enum class PackageProblem {
    NotAZip,      // no zip central directory
    Damaged,      // a broken entry, a bad checksum, a truncated file
    TooLarge,     // past the budget (PackageBudget)
    Encrypted,    // an entry is encrypted
    MissingPart,  // the format's main part is not in the package
    BadXml,       // a part is not well-formed XML, has a DTD, or nests too deep
    NotADocument, // a zip, but neither a DOCX nor an ODT document
};

// The budget of one package read. Every number is checked before memory is taken for it.
struct PackageBudget {
    std::size_t maxEntries = 10'000;
    std::size_t maxEntryBytes = std::size_t(256) << 20;  // one entry, inflated
    std::size_t maxTotalBytes = std::size_t(512) << 20;  // every entry read, inflated
};

class ZipReader {
public:
    // Opens the package in bytes, which must outlive the reader. nullopt and problem set when
    // the bytes are no readable zip or hold more entries than the budget allows.
    static std::optional<ZipReader> open(std::string_view bytes, PackageProblem& problem,
                                         PackageBudget budget = {});
    ZipReader(ZipReader&&) noexcept;
    ZipReader& operator=(ZipReader&&) noexcept;
    ~ZipReader();

    // The entry names in the order the central directory lists them.
    const std::vector<std::string>& names() const;
    bool has(std::string_view name) const;
    // The inflated bytes of one entry; nullopt and problem set when it is missing
    // (MissingPart), damaged, encrypted, or past the budget (counting what was read before).
    std::optional<std::string> read(std::string_view name, PackageProblem& problem);
    // True when the entry is stored (not compressed); the ODT mimetype must be.
    bool isStored(std::string_view name) const;

private:
    struct State;
    explicit ZipReader(State* state);
    State* m_state;
};

// Writes a zip package to a sink as its entries are added (deflate through zlib, no ZIP64):
// each entry's local header and data at once, since its bytes are all there and so its size
// and checksum are known; the central directory is kept and given to the sink by finish().
class ZipStreamWriter {
public:
    explicit ZipStreamWriter(ByteSink sink);

    // compress false stores the entry as it is (the ODT mimetype, first; photos). False when
    // the sink refused a piece, now or before: nothing more is offered to it.
    bool add(std::string_view name, std::string_view bytes, bool compress = true);
    // The central directory and its end; false when the sink refused any piece.
    bool finish();

private:
    bool put(std::string_view piece);

    ByteSink m_sink;
    std::string m_directory;  // central directory records
    std::uint64_t m_offset = 0;
    std::uint32_t m_count = 0;
    bool m_ok = true;
};

// Builds a zip package in memory, entries in the order added.
class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // compress false stores the entry as it is (the ODT mimetype, first).
    void add(std::string_view name, std::string_view bytes, bool compress = true);
    // The whole package; the writer is empty afterwards.
    std::string finish();

private:
    struct State;
    State* m_state;
};

// Entries of a package read at most once each and shared, so that a picture shown twice is
// held once. An entry that is missing or cannot be read gives null.
class SharedEntries {
public:
    explicit SharedEntries(ZipReader& zip) : m_zip(zip) {}
    std::shared_ptr<const std::string> bytes(const std::string& name);

private:
    ZipReader& m_zip;
    std::map<std::string, std::shared_ptr<const std::string>> m_read;
};

}  // namespace pennory::text
