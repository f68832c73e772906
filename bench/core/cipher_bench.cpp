// The cipher on a 1,000,000-character Chinese manuscript, against copying the same text:
// the substitution is one table load per character, so it should cost a small multiple of
// a copy. Also the scan for characters a round trip would not restore, and the whole
// encrypt command on the in-memory editor.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "app/form1.h"
#include "core/cipher_manuscript.h"
#include "platform/headless/headless_platform.h"
#include "platform/text/code_page_936.h"
#include "protection/cipher.h"
#include "protection/protection_commands.h"

namespace {

using namespace pennory;

void setCharacters(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(bench::kCipherManuscriptLength));
    state.SetBytesProcessed(
        state.iterations() *
        static_cast<std::int64_t>(bench::kCipherManuscriptLength * sizeof(char16_t)));
}

void BM_CopyText(benchmark::State& state) {
    const std::u16string& text = bench::cipherManuscript();
    std::u16string out(text.size(), u'\0');
    for (auto _ : state) {
        out.assign(text);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    setCharacters(state);
}
BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond);

// The same buffer scrambled again and again: no allocation, like the copy above.
void BM_EncryptInPlace(benchmark::State& state) {
    std::u16string text = bench::cipherManuscript();
    for (auto _ : state) {
        protection::encryptInPlace(text);
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
    setCharacters(state);
}
BENCHMARK(BM_EncryptInPlace)->Unit(benchmark::kMillisecond);

void BM_EncryptText(benchmark::State& state) {
    const std::u16string& text = bench::cipherManuscript();
    for (auto _ : state) {
        std::u16string out = protection::encryptText(text);
        benchmark::DoNotOptimize(out.data());
    }
    setCharacters(state);
}
BENCHMARK(BM_EncryptText)->Unit(benchmark::kMillisecond);

void BM_DecryptText(benchmark::State& state) {
    const std::u16string scrambled = protection::encryptText(bench::cipherManuscript());
    for (auto _ : state) {
        std::u16string out = protection::decryptText(scrambled);
        benchmark::DoNotOptimize(out.data());
    }
    setCharacters(state);
}
BENCHMARK(BM_DecryptText)->Unit(benchmark::kMillisecond);

// A manuscript with nothing to report is scanned to its end.
void BM_FindLossyCharacters(benchmark::State& state) {
    const std::u16string& text = bench::cipherManuscript();
    for (auto _ : state) {
        auto found = protection::findLossyCharacters(text, 5);
        benchmark::DoNotOptimize(found);
    }
    setCharacters(state);
}
BENCHMARK(BM_FindLossyCharacters)->Unit(benchmark::kMillisecond);

// Read the editor's text, scan, scramble, replace the content: the command as the writer
// runs it, on the in-memory editor.
void BM_EncryptCommandHeadless(benchmark::State& state) {
    platform::headless::HeadlessPlatform platform;
    app::Form1 form(platform.factory, platform.services());
    for (auto _ : state) {
        state.PauseTiming();
        form.RichTextBox1().setText(bench::cipherManuscript());
        form.mayEncrypt = true;
        state.ResumeTiming();
        protection::encrypt(form);
    }
    if (form.RichTextBox1().text() != protection::encryptText(bench::cipherManuscript())) {
        state.SkipWithError("the command did not encrypt");
    }
    setCharacters(state);
}
BENCHMARK(BM_EncryptCommandHeadless)->Unit(benchmark::kMillisecond);

}  // namespace
