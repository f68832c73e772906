// DOCX and ODT of a manuscript of the size the program must handle (1.5 million characters;
// the generator's 10 MB RTF manuscript has 1.31 million): read and write times, how far the
// memory rises while reading against the package's unpacked parts, and, for comparison in
// the same run, LibreOffice converting that DOCX to ODT (skipped where soffice is not
// installed).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "manuscript_generator.h"
#include "platform/text/zip_package.h"
#include "platform/text/office_documents.h"

namespace pennory::bench {
namespace {

constexpr std::size_t kManuscriptRtfBytes = std::size_t(23) << 19;  // 11.5 MB of RTF

const text::StyledText& manuscript() {
    static const text::StyledText content = generateManuscript(kManuscriptRtfBytes);
    return content;
}

const std::string& docx() {
    static const std::string bytes = text::writeDocx(manuscript());
    return bytes;
}

const std::string& odt() {
    static const std::string bytes = text::writeOdt(manuscript());
    return bytes;
}

void countManuscript(benchmark::State& state, std::size_t packageBytes) {
    state.counters["chars"] = static_cast<double>(manuscript().plainText().size());
    state.counters["package_bytes"] = static_cast<double>(packageBytes);
}

// The bytes of every part of a package, inflated.
double unpackedBytes(const std::string& package) {
    text::PackageProblem problem{};
    auto zip = text::ZipReader::open(package, problem);
    double total = 0;
    if (!zip) return total;
    for (const auto& name : zip->names()) {
        if (auto part = zip->read(name, problem)) total += static_cast<double>(part->size());
    }
    return total;
}

// Kilobytes from a "Name:   N kB" line of /proc/self/status.
double statusKb(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == name) {
            double kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

// How much the resident memory rose at its highest during one read: the peak is reset
// (clear_refs 5) after the inputs are made, so earlier work does not count.
template <typename Read>
double peakRiseBytes(Read read) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = statusKb("VmRSS:");
    benchmark::DoNotOptimize(read());
    return (statusKb("VmHWM:") - before) * 1024;
}

void countReading(benchmark::State& state, const std::string& package, double peakRise) {
    const double unpacked = unpackedBytes(package);
    state.counters["unpacked_MB"] = unpacked / (1 << 20);
    state.counters["peak_rise_MB"] = peakRise / (1 << 20);
    state.counters["peak_per_unpacked"] = unpacked > 0 ? peakRise / unpacked : 0;
}

void BM_WriteDocx(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::writeDocx(manuscript()));
    countManuscript(state, docx().size());
}
BENCHMARK(BM_WriteDocx)->Unit(benchmark::kMillisecond);

void BM_ReadDocx(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::readDocx(docx(), text::CharFormat{}));
    countManuscript(state, docx().size());
    countReading(state, docx(), peakRiseBytes([] { return text::readDocx(docx(), {}); }));
}
BENCHMARK(BM_ReadDocx)->Unit(benchmark::kMillisecond);

void BM_WriteOdt(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::writeOdt(manuscript()));
    countManuscript(state, odt().size());
}
BENCHMARK(BM_WriteOdt)->Unit(benchmark::kMillisecond);

void BM_ReadOdt(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(text::readOdt(odt(), text::CharFormat{}));
    countManuscript(state, odt().size());
    countReading(state, odt(), peakRiseBytes([] { return text::readOdt(odt(), {}); }));
}
BENCHMARK(BM_ReadOdt)->Unit(benchmark::kMillisecond);

bool sofficeInstalled() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

// LibreOffice reading the same DOCX and writing ODT, started afresh each time as a writer
// would. Its own profile folder keeps it from handing the job to a LibreOffice already running.
void BM_LibreOfficeConvertsDocxToOdt(benchmark::State& state) {
    if (!sofficeInstalled()) {
        state.SkipWithError("soffice is not installed");
        return;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pennory-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "out");
    const std::filesystem::path input = folder / "manuscript.docx";
    std::ofstream(input, std::ios::binary) << docx();
    const std::string command =
        "soffice -env:UserInstallation=file://" + (folder / "profile").string() +
        " --headless --convert-to odt --outdir " + (folder / "out").string() + " " +
        input.string() + " >/dev/null 2>&1";
    // A first start builds the profile; it is not part of a conversion's time.
    if (std::system(command.c_str()) != 0) {
        state.SkipWithError("soffice failed to convert the manuscript");
        std::filesystem::remove_all(folder);
        return;
    }
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("soffice failed");
    }
    countManuscript(state, docx().size());
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
BENCHMARK(BM_LibreOfficeConvertsDocxToOdt)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pennory::bench
