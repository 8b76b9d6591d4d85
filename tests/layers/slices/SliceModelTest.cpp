#include "layers/SliceColor.h"
#include "layers/SliceLanes.h"
#include "layers/SliceNameFitter.h"
#include "layers/SliceRow.h"
#include "provider/SliceNesting.h"

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

using velmora_1_0::SarvikProvider;
using velmora_1_0::SliceColor;
using velmora_1_0::SliceLanes;
using velmora_1_0::SliceNameFitter;
using velmora_1_0::SliceRow;

TEST(SliceLanesTest, DeepRowsCapTheirLanesAtTheLimitAndCountTheRest)
{
    const SliceLanes all;
    EXPECT_EQ(all.extraHeight(0), 0);
    EXPECT_EQ(all.extraHeight(3), 3 * SliceLanes::kLaneHeight + 1);
    EXPECT_EQ(all.hidden(3), 0);
    const int deep = SliceLanes::kMaxLanes + 7;
    EXPECT_EQ(all.shown(deep), SliceLanes::kMaxLanes);
    EXPECT_EQ(all.hidden(deep), 7);
    EXPECT_EQ(all.extraHeight(deep), all.extraHeight(SliceLanes::kMaxLanes));
    EXPECT_EQ(all.laneAt(0, 3), 0);
    EXPECT_EQ(all.laneAt(2 * SliceLanes::kLaneHeight + 1, 3), 2);
    EXPECT_EQ(all.laneAt(3 * SliceLanes::kLaneHeight, 3), -1);
    EXPECT_EQ(all.laneAt(-1, 3), -1);

    const SliceLanes collapsed(SliceLanes::kCollapsedLanes);
    EXPECT_EQ(collapsed.shown(2), 2) << "a shallow row keeps every lane";
    EXPECT_EQ(collapsed.shown(deep), SliceLanes::kCollapsedLanes);
    EXPECT_EQ(collapsed.hidden(deep), deep - SliceLanes::kCollapsedLanes);
    EXPECT_EQ(collapsed.laneAt(SliceLanes::kCollapsedLanes * SliceLanes::kLaneHeight, deep), -1);
    EXPECT_EQ(SliceLanes(0).limit(), 1);
    EXPECT_EQ(SliceLanes(SliceLanes::kMaxLanes + 1).limit(), SliceLanes::kMaxLanes);
}

TEST(SliceColorTest, TheSameNameAlwaysHasTheSameLightColour)
{
    EXPECT_EQ(SliceColor::of(L"parse_header"), SliceColor::of(std::wstring(L"parse_") + L"header"));
    // Fixed across runs and libraries: the hash is ours.
    EXPECT_EQ(SliceColor::of(L"main").GetRGB(), SliceColor::of(L"main").GetRGB());
    int differing = 0;
    const wchar_t* names[] = {L"main", L"malloc", L"free", L"read", L"write", L"sort_items"};
    for (const wchar_t* name : names) {
        const wxColour colour = SliceColor::of(name);
        // Light enough for black text.
        EXPECT_GT(0.299 * colour.Red() + 0.587 * colour.Green() + 0.114 * colour.Blue(), 140.0) << name;
        differing += colour != SliceColor::of(L"main") ? 1 : 0;
    }
    EXPECT_GE(differing, 4);
}

TEST(SliceRowTest, FindsTheSliceUnderATimeAndTheChildrenOfASlice)
{
    SarvikProvider::SliceData data;
    const auto add = [&](std::uint64_t start, std::uint64_t end, int name) {
        SarvikProvider::Slice slice;
        slice.startTime = start;
        slice.endTime = end;
        slice.name = name;
        data.slices.push_back(slice);
    };
    add(0, 100, 0);
    add(10, 20, 1);
    add(30, 60, 1);
    add(40, 50, 2);
    add(200, 300, 0);
    data.names = {L"root", L"child", L"leaf"};
    data.categories = {L"app", L"lib", L""};
    data.depth = velmora_1_0::SliceNesting::assign(data.slices);
    const SliceRow row(data);
    ASSERT_EQ(row.depth(), 3);
    EXPECT_EQ(row.lane(0), (std::vector<int>{0, 4}));
    EXPECT_EQ(row.lane(1), (std::vector<int>{1, 2}));
    EXPECT_EQ(row.sliceAt(0, 99), 0);
    EXPECT_EQ(row.sliceAt(0, 100), -1);
    EXPECT_EQ(row.sliceAt(1, 25), -1);
    EXPECT_EQ(row.sliceAt(2, 45), 3);
    EXPECT_EQ(row.sliceAt(5, 45), -1);
    EXPECT_EQ(row.children(0), (std::vector<int>{1, 2}));
    EXPECT_EQ(row.children(2), (std::vector<int>{3}));
    EXPECT_TRUE(row.children(4).empty());
    EXPECT_EQ(row.name(row.slices()[3]), L"leaf");
    EXPECT_EQ(row.category(row.slices()[1]), L"lib");
}

// Names are cut from widths measured once: what comes back must still fit its room when measured
// afresh, and be the longest beginning that does.
TEST(SliceNameFitterTest, NamesFitTheirRoomWholeOrAsTheLongestBeginningWithAnEllipsis)
{
    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC dc(bitmap);
    dc.SetFont(wxFont(wxFontInfo(8).Family(wxFONTFAMILY_SWISS)));
    SliceNameFitter fitter;
    const std::wstring name = L"parse_configuration_file";
    const int whole = dc.GetTextExtent(name).x;
    EXPECT_EQ(wxString(name), fitter.fit(dc, name, whole));
    for (const int room : {whole - 1, whole / 2, 30}) {
        const wxString shown = fitter.fit(dc, name, room);
        ASSERT_TRUE(shown.EndsWith(L"\u2026")) << room << ": " << shown;
        const size_t kept = shown.length() - 1;
        EXPECT_EQ(wxString(name.substr(0, kept)), shown.Left(kept));
        EXPECT_LE(dc.GetTextExtent(shown).x, room) << shown;
        EXPECT_GT(dc.GetTextExtent(wxString(name.substr(0, kept + 1)) + L"\u2026").x, room) << "one more would fit";
    }
    EXPECT_EQ(wxString(), fitter.fit(dc, name, dc.GetTextExtent(L"p\u2026").x - 1));
    EXPECT_EQ(wxString(), fitter.fit(dc, L"", 100));
    dc.SelectObject(wxNullBitmap);
}

} // namespace
