// The recovery copy of a 10 MB manuscript: the whole step as one thread would do it (the
// snapshot of the editor's content, the RTF, the atomic owner-only write with its flush to
// disk), what of it the interface thread waits for, and the parts on their own.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/form1.h"
#include "core/manuscript_generator.h"
#include "document/recovery_copy.h"
#include "platform/files/recovery_folder.h"
#include "platform/headless/headless_platform.h"
#include "platform/text/rtf_writer.h"

namespace {

using namespace pennory;

constexpr std::size_t kTenMegabytes = 10u << 20;

const text::StyledText& manuscript() {
    static const text::StyledText content = bench::generateManuscript(kTenMegabytes);
    return content;
}

std::filesystem::path benchFolder() {
    return std::filesystem::temp_directory_path() / "pennory-bench-recovery";
}

void BM_RecoveryCopyWholeStep(benchmark::State& state) {
    platform::headless::HeadlessPlatform platform;
    platform.recoveryFolder = benchFolder();
    {
        app::Form1 form(platform.factory, platform.services());
        form.RichTextBox1().setContent(manuscript());
        for (auto _ : state) {
            form.recoveryCopy()->changed();
            if (!form.recoveryCopy()->writeNow()) state.SkipWithError("not written");
        }
    }
    std::filesystem::remove_all(benchFolder());
}
BENCHMARK(BM_RecoveryCopyWholeStep)->Unit(benchmark::kMillisecond)->Iterations(5);

// What typing waits for when the writer pauses: the snapshot, handed to the worker.
void BM_RecoveryCopyInterfaceThread(benchmark::State& state) {
    platform::headless::HeadlessPlatform platform;
    platform.recoveryFolder = benchFolder();
    {
        app::Form1 form(platform.factory, platform.services());
        form.RichTextBox1().setContent(manuscript());
        for (auto _ : state) {
            form.recoveryCopy()->changed();
            form.recoveryCopy()->copyInBackground();
            state.PauseTiming();
            form.recoveryCopy()->finishWriting();
            state.ResumeTiming();
        }
    }
    std::filesystem::remove_all(benchFolder());
}
BENCHMARK(BM_RecoveryCopyInterfaceThread)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RecoveryCopyRtfOnly(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::writeRtf(manuscript()));
}
BENCHMARK(BM_RecoveryCopyRtfOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RecoveryCopyWriteOnly(benchmark::State& state) {
    const std::string rtf = text::writeRtf(manuscript());
    {
        auto slot = files::RecoverySlot::claim(benchFolder());
        for (auto _ : state) {
            if (!slot->write(rtf).ok) state.SkipWithError("not written");
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
    }
    std::filesystem::remove_all(benchFolder());
}
BENCHMARK(BM_RecoveryCopyWriteOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
