// How fast the frame shapes are found, against two yardsticks: the floor,
// comparing every row with a row of key colour (the least any exact scan has
// to read), and a naive scan fetching each pixel through a call.
#include "assets/FrameArt.h"
#include "frames/RunScan.h"
#include "platform/Bitmap.h"
#include "platform/Geometry.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace
{

struct FrameSize {
    std::int32_t width, height;
    assets::BandWidths band;
};

constexpr FrameSize kFrames[] = {
    {640, 480, {10, 11, 10, 10}},  {800, 600, {13, 14, 13, 13}},   {1024, 768, {17, 19, 17, 17}},
    {1152, 864, {20, 21, 20, 20}}, {1280, 1024, {23, 25, 22, 22}}, {1600, 1200, {28, 29, 27, 27}},
};

const std::vector<platform::Bitmap>& Frames()
{
    static const std::vector<platform::Bitmap> frames = [] {
        std::vector<platform::Bitmap> made;
        for (const FrameSize& f : kFrames) {
            made.push_back(assets::MakeFrameArt(f.width, f.height, f.band));
        }
        return made;
    }();
    return frames;
}

std::int64_t PixelCount()
{
    std::int64_t n = 0;
    for (const platform::Bitmap& b : Frames()) {
        n += std::int64_t(b.Width()) * b.Height();
    }
    return n;
}

void BM_ScanRuns(benchmark::State& state)
{
    for (auto _ : state) {
        for (const platform::Bitmap& b : Frames()) {
            platform::Region region = frames::ScanRuns(frames::GridOf(b));
            benchmark::DoNotOptimize(region.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * PixelCount());
}

std::vector<std::uint8_t> KeyRow()
{
    return std::vector<std::uint8_t>(1600 * 3, 0xFF);
}

int CompareRows(const std::vector<platform::Bitmap>& pictures,
                const std::vector<std::uint8_t>& keyRow)
{
    int differing = 0;
    for (const platform::Bitmap& b : pictures) {
        const std::size_t rowBytes = std::size_t(b.Width()) * 3;
        for (std::int32_t y = 0; y < b.Height(); ++y) {
            differing += std::memcmp(b.DisplayRow(y), keyRow.data(), rowBytes) != 0;
        }
    }
    return differing;
}

// The floor: memcmp of every row against a row of key colour, all the way
// along. Nearly every row of a frame picture starts with band colour, where
// memcmp stops at once, so the rows compared are those of key-coloured
// pictures of the same six sizes: the same bytes, read the same way, as a
// scan has to read.
void BM_MemcmpFloor(benchmark::State& state)
{
    std::vector<platform::Bitmap> blank;
    for (const platform::Bitmap& b : Frames()) {
        blank.emplace_back(b.Width(), b.Height(), 24);
        std::memset(blank.back().Bits(), 0xFF, blank.back().SizeInBytes());
    }
    const std::vector<std::uint8_t> keyRow = KeyRow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareRows(blank, keyRow));
    }
    state.SetItemsProcessed(state.iterations() * PixelCount());
}

// For comparison only: memcmp of the frame rows themselves, which returns at
// the first band pixel of each row.
void BM_MemcmpFrameRows(benchmark::State& state)
{
    const std::vector<std::uint8_t> keyRow = KeyRow();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareRows(Frames(), keyRow));
    }
    state.SetItemsProcessed(state.iterations() * PixelCount());
}

// The same runs, with every pixel fetched by a call the compiler cannot see
// through.
[[gnu::noinline]] platform::Colour FetchPixel(const platform::Bitmap& b, std::int32_t x,
                                              std::int32_t y)
{
    return b.PixelAt(x, y);
}
platform::Colour (*volatile gFetch)(const platform::Bitmap&, std::int32_t,
                                    std::int32_t) = &FetchPixel;

platform::Region NaiveScan(const platform::Bitmap& b)
{
    platform::Region region;
    if (b.IsEmpty()) {
        return region;
    }
    auto* const fetch = gFetch;
    const platform::Colour key = fetch(b, 0, 0);
    for (std::int32_t y = 0; y < b.Height(); ++y) {
        std::int32_t start = -1;
        for (std::int32_t x = 0; x <= b.Width(); ++x) {
            const bool closing = x == b.Width() || fetch(b, x, y) == key;
            if (closing && start >= 0) {
                region.push_back({start, y, x, y + 1});
                start = -1;
            } else if (!closing && start < 0) {
                start = x;
            }
        }
    }
    return region;
}

void BM_NaiveScan(benchmark::State& state)
{
    for (auto _ : state) {
        for (const platform::Bitmap& b : Frames()) {
            platform::Region region = NaiveScan(b);
            benchmark::DoNotOptimize(region.data());
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * PixelCount());
}

// Making all six pictures, as the program does at start.
void BM_MakeFrameArt(benchmark::State& state)
{
    for (auto _ : state) {
        for (const FrameSize& f : kFrames) {
            platform::Bitmap art = assets::MakeFrameArt(f.width, f.height, f.band);
            benchmark::DoNotOptimize(art.Bits());
        }
    }
}

BENCHMARK(BM_ScanRuns)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcmpFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcmpFrameRows)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NaiveScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MakeFrameArt)->Unit(benchmark::kMicrosecond);

// Keeps the time per iteration of every run, for the summary.
class SummaryReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                microseconds[run.run_name.function_name] =
                    run.GetAdjustedRealTime() * TimeUnitFactor(run.time_unit) * 1e6;
            }
        }
    }

    static double TimeUnitFactor(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond:
            return 1e-9;
        case benchmark::kMicrosecond:
            return 1e-6;
        case benchmark::kMillisecond:
            return 1e-3;
        default:
            return 1.0;
        }
    }

    std::map<std::string, double> microseconds;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& us = reporter.microseconds;
    const auto find = [&](const char* name) {
        const auto at = us.find(name);
        return at == us.end() ? 0.0 : at->second;
    };
    const double scan = find("BM_ScanRuns");
    const double floor = find("BM_MemcmpFloor");
    const double naive = find("BM_NaiveScan");
    const double art = find("BM_MakeFrameArt");
    const double early = find("BM_MemcmpFrameRows");
    std::printf("\nscan (ScanRuns, six frames):     %9.1f us\n", scan);
    std::printf("floor (memcmp rows, six frames): %9.1f us\n", floor);
    std::printf("naive (call per pixel):          %9.1f us\n", naive);
    std::printf("frame art (making all six):      %9.1f us\n", art);
    std::printf("(memcmp of the frame rows, stopping at the band: %.1f us)\n", early);
    if (scan > 0.0 && floor > 0.0) {
        std::printf("ratio scan/floor: %.2f (target <= 2)\n", scan / floor);
    }
    if (scan > 0.0 && naive > 0.0) {
        std::printf("ratio naive/scan: %.1f\n", naive / scan);
    }
    return 0;
}
