// "文稿加密" and "文稿解密" on the real Qt editor holding a 1,000,000-character Chinese
// manuscript: the text read from the editor, scanned, scrambled, put back and shown.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdint>
#include <string>

#include "bench_window.h"
#include "core/cipher_manuscript.h"
#include "platform/text/code_page_936.h"
#include "protection/cipher.h"

namespace pennory::bench {
namespace {


void runCommand(benchmark::State& state, std::int16_t index, const std::u16string& start) {
    BenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.form->RichTextBox1().setText(start);
        window.form->mayEncrypt = true;
        window.form->mayDecrypt = true;
        QApplication::processEvents();
        state.ResumeTiming();

        window.form->codechilditem_Click(index);
        QApplication::processEvents();  // laid out and painted
    }
    const std::u16string expected =
        index == 0 ? protection::encryptText(start) : protection::decryptText(start);
    if (window.form->RichTextBox1().text() != expected) state.SkipWithError("wrong result");
    if (!window.messages.shown().empty()) state.SkipWithError("a message was shown");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(start.size()));
}

void BM_EncryptCommandQt(benchmark::State& state) { runCommand(state, 0, cipherManuscript()); }
BENCHMARK(BM_EncryptCommandQt)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DecryptCommandQt(benchmark::State& state) {
    static const std::u16string scrambled = protection::encryptText(cipherManuscript());
    runCommand(state, 1, scrambled);
}
BENCHMARK(BM_DecryptCommandQt)->Unit(benchmark::kMillisecond)->Iterations(5);

// The editor's own part: putting the scrambled text in and showing it, without the
// command. The scrambled manuscript is one paragraph of a million characters, since its
// line breaks have become characters 12 and 9.
void BM_ShowScrambledTextQt(benchmark::State& state) {
    static const std::u16string scrambled = protection::encryptText(cipherManuscript());
    BenchWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.form->RichTextBox1().setText(cipherManuscript());
        QApplication::processEvents();
        state.ResumeTiming();

        window.form->RichTextBox1().setText(scrambled);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ShowScrambledTextQt)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace pennory::bench
