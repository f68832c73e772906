#include "platform/text/code_page_936_text.h"

#include <bitset>

#include "platform/text/cp936_tables.h"
#include "platform/text/gb18030.h"

namespace pennory::text::cp936 {
namespace {

std::string bytesOf(std::uint16_t b) {
    if (b < 0x100) return std::string(1, static_cast<char>(b));
    return {static_cast<char>(b >> 8), static_cast<char>(b & 0xFF)};
}

// Built once from the code page table and the GB18030 reader itself, so that what is written
// as code page 936 is exactly what that reader gives back.
class Readable {
public:
    Readable() {
        const Tables& t = Tables::get();
        for (int c = 0; c < 0x10000; ++c) {
            const std::uint16_t b = t.bytesOf(static_cast<char16_t>(c));
            if (b == Tables::kNoBytes) continue;
            if (c < 0x80) {
                m_readable.set(c, b == c);
                continue;
            }
            const std::u16string back = gb18030::decode(bytesOf(b));
            m_readable.set(c, back.size() == 1 && back[0] == c);
        }
    }

    bool has(char16_t c) const { return m_readable.test(c); }

    static const Readable& get() {
        static const Readable readable;
        return readable;
    }

private:
    std::bitset<65536> m_readable;
};

}  // namespace

bool readsBackAsGb18030(char16_t c) { return Readable::get().has(c); }

std::optional<std::string> encodeReadableAsGb18030(std::u16string_view text) {
    const Tables& t = Tables::get();
    const Readable& readable = Readable::get();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t c : text) {
        if (!readable.has(c)) return std::nullopt;
        const std::uint16_t b = t.bytesOf(c);
        if (b >= 0x100) out.push_back(static_cast<char>(b >> 8));
        out.push_back(static_cast<char>(b & 0xFF));
    }
    return out;
}

}  // namespace pennory::text::cp936
