// One frame of the slice layer: 100 rows, each with ten lanes of slices, at 1,920 columns over
// one second. Lane k holds 100 x 3^k slices (capped at 3,000) spread evenly with gaps, so the
// upper lanes show named boxes and the lower ones runs far narrower than a column: 2.2 million
// slices in all. Measured zoomed out (the whole second) and zoomed in on a tenth of it, and as the
// first frame after a zoom.
#include "SliceScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using slice_test::SliceScene;
using velmora_1_0::SarvikProvider;

constexpr int kRows = 100;
constexpr int kLanes = 10;
constexpr int kWidth = 1920;
constexpr std::uint64_t kDuration = 1000000000;

SliceScene& scene()
{
    static SliceScene* built = [] {
        auto* s = new SliceScene(kRows, kWidth, kDuration);
        s->layer.expandLanes(true); // every lane drawn, as when the user asked for them
        std::vector<std::wstring> names;
        for (int i = 0; i < 40; ++i)
            names.push_back(L"function_" + std::to_wstring(i));
        for (short row = 0; row < kRows; ++row) {
            SarvikProvider::SliceData data;
            data.row = row;
            data.names = names;
            data.categories.assign(names.size(), L"bench");
            std::uint64_t count = 100;
            for (int lane = 0; lane < kLanes; ++lane, count = std::min<std::uint64_t>(count * 3, 3000)) {
                const std::uint64_t pitch = kDuration / count;
                for (std::uint64_t i = 0; i < count; ++i) {
                    SarvikProvider::Slice slice;
                    slice.startTime = i * pitch + lane;
                    slice.endTime = slice.startTime + pitch * 3 / 4;
                    slice.depth = lane;
                    slice.name = static_cast<int>((i + lane + row) % names.size());
                    data.slices.push_back(slice);
                }
            }
            data.depth = kLanes;
            s->file(std::move(data));
        }
        s->apply();
        s->draw();
        return s;
    }();
    return *built;
}

void BM_SliceFrame(benchmark::State& state)
{
    SliceScene& s = scene();
    const std::uint64_t shown = kDuration / static_cast<std::uint64_t>(state.range(0));
    s.ruler.setVisibleRange(0, shown - 1, false);
    for (auto _ : state)
        s.redraw();
    state.SetLabel("1/" + std::to_string(state.range(0)) + " of the trace, 100 rows x 10 lanes, 1920 px");
}
BENCHMARK(BM_SliceFrame)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The first frame of a new view, when every lane's boxes are chosen again: zoomed out and back in.
void BM_SliceFrameAfterZoom(benchmark::State& state)
{
    SliceScene& s = scene();
    bool in = false;
    for (auto _ : state) {
        in = !in;
        s.ruler.setVisibleRange(0, (in ? kDuration / 2 : kDuration) - 1, false);
        s.redraw();
    }
    state.SetLabel("whole trace and half of it in turn, 100 rows x 10 lanes, 1920 px");
}
BENCHMARK(BM_SliceFrameAfterZoom)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
