#pragma once
// A shown timeline with two areas (5 and 3 rows, one line layer each), a line layer on the
// ruler, recording callbacks and a legend, loaded and drawn before each test.
#include "ChartTestDoubles.h"

#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/image.h>

namespace chart_test {

class TimelineFixture : public ::testing::Test {
protected:
    static constexpr std::uint64_t kDuration = 1000000;

    void SetUp() override;
    void TearDown() override;

    // Pumps until every layer holds its data and nothing is loading.
    bool loaded();
    // The pixels of `window` as the screen shows them, after it painted again.
    wxImage grab(wxWindow* window);
    // Sends a mouse event of `type` at (x, y) in `window`'s client coordinates.
    void mouse(wxWindow* window, wxEventType type, int x, int y, bool leftDown = false, int modifiers = 0);
    void key(wxWindow* window, int keyCode);
    wxWindow* graphWindow(int paneIndex) const;

    wxFrame* m_frame = nullptr; // a test that destroys it sets it to null
    tarquel_1_0::Timeline* m_timeline = nullptr;
    TestProvider* m_providers[2] = {nullptr, nullptr};
    TestProvider* m_globalProvider = nullptr;
    LineLayer* m_lines[2] = {nullptr, nullptr};
    LineLayer* m_rulerLine = nullptr;
    RecordingCallback m_callbacks[2];
    RecordingCallback m_globalCallback;
};

} // namespace chart_test
