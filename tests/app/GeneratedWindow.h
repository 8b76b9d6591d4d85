#pragma once
// A test fixture: the viewer's window in this process on a small generated result, opened with
// the default viewpoint and loaded, with the generator's own records beside it so tests check
// what the window shows against the data rather than against the viewer. Events are synthesized
// and sent to the real windows; waits pump the event loop with a bound.
#include "ViewerFrame.h"

#include "layers/SliceLayer.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Timeline.h>

#include <gtest/gtest.h>

#include <wx/event.h>

#include <filesystem>
#include <string>

namespace viewer_test {

class GeneratedWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The generator's table of that name; fails the test when there is none.
    static const dd_sarvik_2_2::store::AttributeTableRecord& attributes(const std::wstring& name);
    static const dd_sarvik_2_2::store::BandTableRecord& band(const std::wstring& name);
    // Text of column `column` of an instance of an attribute table (a number as its digits).
    static std::wstring text(const std::wstring& table, int instance, int column = 0);
    // Ticks of the records to the window's nanoseconds.
    static std::uint64_t nanoseconds(std::uint64_t tick) { return tick - s_records.timeOrigin; }

    // The first layer of that type; null when there is none.
    template <class Layer>
    Layer* layerOf() const
    {
        for (tarquel_1_0::GraphLayer* layer : m_frame->timeline().getDirectory().getLayers())
            if (auto* found = dynamic_cast<Layer*>(layer))
                return found;
        return nullptr;
    }

    wxWindow* graph() const { return m_layer->m_parent->getWindow(); }
    void mouse(wxEventType type, wxPoint at, wxWindow* window = nullptr);
    // Moves to `at`, presses and releases there.
    void click(wxPoint at, wxWindow* window = nullptr);
    void key(wxWindow* window, wxEventType type, int code, int modifiers = 0);

    static inline std::filesystem::path s_directory;
    static inline dd_sarvik_2_2::store::ResultRecords s_records;
    velmora_viewer::ViewerFrame* m_frame = nullptr;
    velmora_1_0::SliceLayer* m_layer = nullptr;
};

} // namespace viewer_test
