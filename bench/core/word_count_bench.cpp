// The live count on a 1,000,000-character manuscript: a keystroke (one character typed and
// then taken back) must cost well under a millisecond; the full count is for comparison.

#include <benchmark/benchmark.h>

#include <string>

#include "core/cipher_manuscript.h"
#include "input/manuscript_count.h"
#include "input/word_count.h"

namespace {

using namespace pennory;

void BM_CountWholeManuscript(benchmark::State& state) {
    const std::u16string& text = bench::cipherManuscript();
    for (auto _ : state) benchmark::DoNotOptimize(input::countText(text));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CountWholeManuscript)->Unit(benchmark::kMillisecond);

// Two edits per iteration, in the middle of the text, where moving the tail costs most.
void BM_KeystrokeInTheMiddle(benchmark::State& state) {
    input::ManuscriptCount count;
    count.reset(bench::cipherManuscript());
    const std::size_t middle = count.size() / 2;
    const std::u16string typed = state.range(0) ? u"电" : u"x";
    for (auto _ : state) {
        count.apply(middle, 0, typed);
        count.apply(middle, 1, u"");
    }
    benchmark::DoNotOptimize(count.total());
}
BENCHMARK(BM_KeystrokeInTheMiddle)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeAtTheEnd(benchmark::State& state) {
    input::ManuscriptCount count;
    count.reset(bench::cipherManuscript());
    for (auto _ : state) {
        count.apply(count.size(), 0, u"a");
        count.apply(count.size() - 1, 1, u"");
    }
    benchmark::DoNotOptimize(count.total());
}
BENCHMARK(BM_KeystrokeAtTheEnd)->Unit(benchmark::kMicrosecond);

}  // namespace
