// Throughput of the manuscript codecs on realistic Chinese text: RTF read and write, and
// plain-text decoding against a bare ICU conversion of the same bytes.

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <map>
#include <string>

#include "manuscript_generator.h"
#include "platform/text/plain_text.h"
#include "platform/text/plain_text_encoding.h"
#include "platform/text/rtf_reader.h"
#include "platform/text/rtf_writer.h"

namespace pennory::bench {
namespace {

constexpr std::size_t kMegabyte = 1 << 20;

// Inputs are generated once per size and kept for all benchmarks.
const std::string& rtfOf(std::size_t bytes) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(bytes);
    if (it == cache.end()) it = cache.emplace(bytes, manuscriptRtf(bytes)).first;
    return it->second;
}

const text::StyledText& manuscriptOf(std::size_t bytes) {
    static std::map<std::size_t, text::StyledText> cache;
    auto it = cache.find(bytes);
    if (it == cache.end()) it = cache.emplace(bytes, generateManuscript(bytes)).first;
    return it->second;
}

const std::string& gbkOf(std::size_t bytes) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(bytes);
    if (it == cache.end()) it = cache.emplace(bytes, manuscriptGbk(bytes)).first;
    return it->second;
}

const std::string& utf8Of(std::size_t bytes) {
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(bytes);
    if (it == cache.end()) it = cache.emplace(bytes, manuscriptUtf8(bytes)).first;
    return it->second;
}

void BM_ReadRtf(benchmark::State& state) {
    const std::string& rtf = rtfOf(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    for (auto _ : state) {
        text::StyledText text = text::readRtf(rtf);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadRtf)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State& state) {
    const text::StyledText& text =
        manuscriptOf(static_cast<std::size_t>(state.range(0)) * kMegabyte);
    std::size_t size = 0;
    for (auto _ : state) {
        std::string rtf = text::writeRtf(text);
        size = rtf.size();
        benchmark::DoNotOptimize(rtf);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_WriteRtf)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

void decodePlain(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        auto text = text::decodePlainText(bytes);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The conversion decodePlainText() relies on, with nothing around it.
void bareIcu(benchmark::State& state, const char* converterName, const std::string& bytes) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(converterName, &error);
    std::u16string out(bytes.size() + 1, u'\0');
    for (auto _ : state) {
        error = U_ZERO_ERROR;
        const int32_t n = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                        static_cast<int32_t>(out.size()), bytes.data(),
                                        static_cast<int32_t>(bytes.size()), &error);
        benchmark::DoNotOptimize(n);
    }
    ucnv_close(converter);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_DecodePlainTextGbk(benchmark::State& state) {
    decodePlain(state, gbkOf(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
void BM_BareIcuGb18030(benchmark::State& state) {
    bareIcu(state, "gb18030", gbkOf(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
void BM_DecodePlainTextUtf8(benchmark::State& state) {
    decodePlain(state, utf8Of(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
void BM_BareIcuUtf8(benchmark::State& state) {
    bareIcu(state, "UTF-8", utf8Of(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
BENCHMARK(BM_DecodePlainTextGbk)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareIcuGb18030)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePlainTextUtf8)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareIcuUtf8)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Deciding the encoding alone, to set beside decoding the same file: the decision must cost
// under a tenth of the decoding.
void guess(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        auto encoding = text::guessPlainTextEncoding(bytes);
        benchmark::DoNotOptimize(encoding);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
void BM_GuessEncodingGbk(benchmark::State& state) {
    guess(state, gbkOf(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
void BM_GuessEncodingUtf8(benchmark::State& state) {
    guess(state, utf8Of(static_cast<std::size_t>(state.range(0)) * kMegabyte));
}
BENCHMARK(BM_GuessEncodingGbk)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GuessEncodingUtf8)->Arg(10)->Unit(benchmark::kMillisecond);

void BM_EncodePlainText(benchmark::State& state) {
    const std::u16string text =
        manuscriptOf(static_cast<std::size_t>(state.range(0)) * kMegabyte).plainText();
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes = text::encodePlainText(text);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_EncodePlainText)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pennory::bench
