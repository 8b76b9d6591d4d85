#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/Images.h>
#include <tarquel_1_0/MessageCatalog.h>

#include <VORN_2_9/varg_list.h>

#include <gtest/gtest.h>

#include <wx/image.h>

using namespace tarquel_1_0;

namespace {

TEST(MessageCatalog, KeysResolveWithArgumentsAndUnknownKeysStayKeys)
{
    for (const char* name : {"tarquel", "velmora", "viewpoint"})
        EXPECT_TRUE(registerMessageCatalog(name)) << name;
    EXPECT_FALSE(registerMessageCatalog("no_such_catalog"));

    EXPECT_EQ("Undo zoom", getString("%Zoom_undo"));
    EXPECT_EQ("Thread state", getString("%Running_wait_state"));
    EXPECT_EQ("Start: 1 s\nDuration: 2 s",
              getString("%Duration_tooltip_times", VORN_2_9::generic::varg_list().add(L"1 s").add(L"2 s")));
    EXPECT_EQ("From: a\nTo: b\nStart: 1\nEnd: 2",
              getString("%Transition_tooltip_rows", VORN_2_9::generic::varg_list().add(L"a").add(L"b"))
                  + getString("%Transition_tooltip_times", VORN_2_9::generic::varg_list().add(L"1").add(L"2")));
    EXPECT_EQ("%No_such_key", getString("%No_such_key"));
    EXPECT_EQ("%No_such_key", getString("%No_such_key", VORN_2_9::generic::varg_list().add(1)));
}

TEST(Images, IconsLoadAndTakeTheLayerColour)
{
    for (const char* name : {"dataovertime.bmp", "dataovertime_line.bmp", "transitions.bmp"}) {
        const wxImage icon = loadImage(name, false);
        ASSERT_TRUE(icon.IsOk()) << name;
        EXPECT_EQ(wxSize(16, 16), icon.GetSize());
    }
    EXPECT_FALSE(loadImage("missing.bmp", false).IsOk());

    const wxImage icon = loadImage("dataovertime.bmp", false);
    const wxImage filled = createFilledImage(icon, *wxWHITE, wxColour(1, 2, 3));
    int white = 0;
    int changed = 0;
    int same = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool wasWhite = icon.GetRed(x, y) == 255 && icon.GetGreen(x, y) == 255 && icon.GetBlue(x, y) == 255;
            white += wasWhite;
            changed += filled.GetRed(x, y) == 1 && filled.GetGreen(x, y) == 2 && filled.GetBlue(x, y) == 3;
            same += !wasWhite && filled.GetRed(x, y) == icon.GetRed(x, y);
        }
    EXPECT_GT(white, 20) << "the icon leaves room for the layer colour";
    EXPECT_EQ(white, changed);
    EXPECT_EQ(256 - white, same);
    EXPECT_FALSE(createFilledImage(wxImage(), *wxWHITE, *wxBLACK).IsOk());
}

TEST(Colors, TheColourDialogCanBeAnsweredByATest)
{
    const ColorPicker previous = setColorPicker([](wxWindow*, const wxString& title, const wxColour& initial,
                                                   wxColour& chosen) {
        chosen = title == "ok" ? wxColour(initial.Blue(), initial.Green(), initial.Red()) : chosen;
        return title == "ok";
    });
    wxColour chosen(*wxBLACK);
    EXPECT_TRUE(getColorFromUser(nullptr, "ok", wxColour(1, 2, 3), chosen));
    EXPECT_EQ(wxColour(3, 2, 1), chosen);
    EXPECT_FALSE(getColorFromUser(nullptr, "cancel", wxColour(1, 2, 3), chosen));
    setColorPicker(previous);
    EXPECT_NE(getOvertimeColor(), getFilteredOvertimeColor());
    EXPECT_NE(getHittestColor(), getOvertimeColor());
}

} // namespace
