// What the details panel says about a picked item, from facts as the worker reads them: a call
// stack is shown frame by frame, several-line values under their label, an arrow's ends lead to
// their rows and times, and items without a name are named by what they are.
#include "ItemDescription.h"

#include <tarquel_1_0/QuantityText.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using velmora_viewer::ItemDescription;
using velmora_viewer::PickedItem;

std::vector<wxString> textsOf(const std::vector<ItemDescription::Line>& lines)
{
    std::vector<wxString> texts;
    for (const auto& line : lines)
        texts.push_back(line.text);
    return texts;
}

wxString rowName(int row)
{
    return wxString::Format("thread-%d", row);
}

PickedItem item(PickedItem::Kind kind, int row, std::uint64_t start, std::uint64_t end)
{
    PickedItem picked;
    picked.kind = kind;
    picked.layerName = "Markers";
    picked.row = row;
    picked.start = start;
    picked.end = end;
    return picked;
}

TEST(ItemDescription, ASampleMarkersCallStackAndOtherValuesKeepTheirLines)
{
    ItemDescription::Read read;
    read.instance = {{L"name", L"cycles"},
                     {L"category", L"CPU sample"},
                     {L"stack", L"parse (libapp.so)\nmain (app)"},
                     {L"args", L"size: 12\nmode: fast"}};
    read.row = {{L"name", L"worker"}, {L"process", L"server"}, {L"pid", L"7"}, {L"tid", L"42"}};
    const auto lines = ItemDescription::describe(item(PickedItem::Kind::marker, 3, 2500, 2500), read, rowName);
    const std::vector<wxString> expected = {
        "cycles",         "In: Markers",
        "Category: CPU sample",
        "Thread: thread-3 (tid 42)", "Process: server",
        "Start: " + tarquel_1_0::durationText(2500, 6), "Call stack:",
        "    parse (libapp.so)", "    main (app)", "Arguments:",
        "    size: 12",   "    mode: fast"};
    EXPECT_EQ(textsOf(lines), expected);
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const auto& l) { return l.target.valid(); }));
}

TEST(ItemDescription, AnArrowsEndsLeadToTheirRowsAndTimes)
{
    PickedItem arrow = item(PickedItem::Kind::transition, 2, 1000, 5000);
    arrow.fromRow = 0;
    arrow.layerName = "Transitions";
    ItemDescription::Read read;
    read.instance = {{L"object", L"mutex 0x10"}, {L"signal_cs", L"unlock\nrelease"}};
    const auto lines = ItemDescription::describe(arrow, read, rowName);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "mutex 0x10");
    const auto find = [&lines](const wxString& text) {
        return *std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.text == text; });
    };
    EXPECT_EQ(find("From: thread-0").target.row, 0);
    EXPECT_EQ(find("    at " + tarquel_1_0::durationText(1000, 6)).target.time, 1000u);
    EXPECT_EQ(find("To: thread-2").target.row, 2);
    EXPECT_EQ(find("    at " + tarquel_1_0::durationText(5000, 6)).target.time, 5000u);
    EXPECT_FALSE(find("Waited: " + tarquel_1_0::durationText(4000)).target.valid());
    EXPECT_EQ(find("Signalled from:").target.row, -1);
    EXPECT_EQ(find("    release").text, "    release");
}

TEST(ItemDescription, UnnamedItemsAreNamedByWhatTheyAre)
{
    PickedItem state = item(PickedItem::Kind::state, 1, 10, 20);
    EXPECT_EQ(ItemDescription::describe(state, {}, rowName).front().text, "Waiting");
    state.running = true;
    EXPECT_EQ(ItemDescription::describe(state, {}, rowName).front().text, "Running");

    PickedItem sample = item(PickedItem::Kind::counterSample, 0, 10, 11);
    sample.layerName = "Counters";
    sample.value = "Counters\n12.5";
    const std::vector<wxString> expected = {"Counters", "Start: " + tarquel_1_0::durationText(10, 6),
                                            "Duration: " + tarquel_1_0::durationText(1), "12.5"};
    EXPECT_EQ(textsOf(ItemDescription::describe(sample, {}, rowName)), expected) << "no thread for a counter";
    EXPECT_TRUE(ItemDescription::describe(PickedItem(), {}, rowName).empty());
}

} // namespace
