// The writing half of zip_package.h: a small writer of its own, deflate through zlib, no ZIP64.

#include <zlib.h>

#include <cstdint>

#include "platform/text/zip_package.h"

namespace pennory::text {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

constexpr std::uint32_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01: reproducible output
constexpr std::uint32_t kUtf8Names = 1u << 11;

// Raw deflate of bytes (no zlib header), as zip's method 8 wants.
std::string deflated(std::string_view bytes) {
    z_stream stream{};
    deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

ZipStreamWriter::ZipStreamWriter(ByteSink sink) : m_sink(std::move(sink)) {}

bool ZipStreamWriter::put(std::string_view piece) {
    if (m_ok) m_ok = m_sink(piece);
    if (m_ok) m_offset += piece.size();
    return m_ok;
}

bool ZipStreamWriter::add(std::string_view name, std::string_view bytes, bool compress) {
    if (!m_ok) return false;
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
    const auto size = static_cast<std::uint32_t>(bytes.size());
    // A stored entry goes to the sink as it is, never copied.
    std::string packed;
    if (compress) packed = deflated(bytes);
    const std::string_view data = compress ? std::string_view(packed) : bytes;
    const std::uint32_t method = compress ? 8 : 0;
    const auto offset = static_cast<std::uint32_t>(m_offset);

    std::string header;
    put32(header, 0x04034b50);
    put16(header, 20);
    put16(header, kUtf8Names);
    put16(header, method);
    put16(header, 0);
    put16(header, kDosDate);
    put32(header, crc);
    put32(header, static_cast<std::uint32_t>(data.size()));
    put32(header, size);
    put16(header, static_cast<std::uint32_t>(name.size()));
    put16(header, 0);
    header.append(name);
    if (!put(header) || !put(data)) return false;

    std::string& dir = m_directory;
    put32(dir, 0x02014b50);
    put16(dir, 20);
    put16(dir, 20);
    put16(dir, kUtf8Names);
    put16(dir, method);
    put16(dir, 0);
    put16(dir, kDosDate);
    put32(dir, crc);
    put32(dir, static_cast<std::uint32_t>(data.size()));
    put32(dir, size);
    put16(dir, static_cast<std::uint32_t>(name.size()));
    put16(dir, 0);  // extra
    put16(dir, 0);  // comment
    put16(dir, 0);  // disk
    put16(dir, 0);  // internal attributes
    put32(dir, 0);  // external attributes
    put32(dir, offset);
    dir.append(name);
    ++m_count;
    return true;
}

bool ZipStreamWriter::finish() {
    const auto directoryOffset = static_cast<std::uint32_t>(m_offset);
    std::string end = std::move(m_directory);
    const auto directorySize = static_cast<std::uint32_t>(end.size());
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, m_count);
    put16(end, m_count);
    put32(end, directorySize);
    put32(end, directoryOffset);
    put16(end, 0);
    return put(end);
}

struct ZipWriter::State {
    std::string out;
    ZipStreamWriter stream{stringSink(out)};  // sinks into out, so the State never moves
};

ZipWriter::ZipWriter() : m_state(new State) {}
ZipWriter::~ZipWriter() { delete m_state; }

void ZipWriter::add(std::string_view name, std::string_view bytes, bool compress) {
    m_state->stream.add(name, bytes, compress);
}

std::string ZipWriter::finish() {
    m_state->stream.finish();
    std::string out = std::move(m_state->out);
    delete m_state;
    m_state = new State;
    return out;
}

}  // namespace pennory::text
