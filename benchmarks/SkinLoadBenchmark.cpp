// How much a skin costs to load beyond reading its bytes: times LoadSkinFile (parse the layout,
// decode all forty pictures, apply them to the main window) on the in-memory platform against
// reading the same file from disk into memory, and prints the ratio of the two.
//
//   SkinLoadBenchmark <file.skn | folder> [benchmark options]
//
// With a folder, its largest ".skn" file is measured (the default skins are in bin/Skins).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "startup/PermanentWindows.h"
#include "ui/fake/FakeGui.h"

namespace {

namespace fs = std::filesystem;

const char* const kLoadedPath = "C:\\Program Files\\Orvella\\Skins\\Measured.skn";

fs::path LargestSkin(const fs::path& folder) {
    fs::path best;
    std::uintmax_t bestSize = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".skn") continue;
        if (best.empty() || entry.file_size() > bestSize) {
            best = entry.path();
            bestSize = entry.file_size();
        }
    }
    return best;
}

// The fastest plain way to get the bytes: one sized read, as the baseline of the ratio.
std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The main window with its companions, as the program wires them; every load builds on what
// the previous one left, as switching skins in the running program does.
struct Program {
    fake::FakeEnvironment p;
    PermanentWindows windows{p};
    TForm1& f1 = windows.Form1;
};

void ReadSkin(benchmark::State& state, fs::path path) {
    for (auto _ : state) {
        std::string bytes = ReadWholeFile(path);
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}

void LoadSkin(benchmark::State& state, fs::path path) {
    Program program;
    const std::string bytes = ReadWholeFile(path);
    program.p.files.AddFile(kLoadedPath, bytes);
    for (auto _ : state) {
        try {
            program.f1.LoadSkinFile(kLoadedPath);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
        benchmark::DoNotOptimize(program.f1.Image100.picture);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// Keeps each run's time per iteration so main can print the ratio after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                seconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.skn | folder with .skn files> [benchmark options]\n", argv[0]);
        return 2;
    }
    fs::path path = argv[1];
    if (fs::is_directory(path)) path = LargestSkin(path);
    if (path.empty() || !fs::is_regular_file(path)) {
        std::fprintf(stderr, "no skin file at %s\n", argv[1]);
        return 2;
    }
    std::printf("skin: %s (%ju bytes)\n", path.string().c_str(), static_cast<std::uintmax_t>(fs::file_size(path)));

    benchmark::RegisterBenchmark("ReadSkinFile", ReadSkin, path);
    benchmark::RegisterBenchmark("LoadSkinFile", LoadSkin, path);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto read = reporter.seconds.find("ReadSkinFile");
    const auto load = reporter.seconds.find("LoadSkinFile");
    if (read == reporter.seconds.end() || load == reporter.seconds.end() || read->second <= 0) {
        std::fprintf(stderr, "both benchmarks must run to give a ratio\n");
        return 1;
    }
    std::printf("load / read = %.1f (%.3f ms to load, %.3f ms to read)\n", load->second / read->second,
                load->second * 1000, read->second * 1000);
    return 0;
}
