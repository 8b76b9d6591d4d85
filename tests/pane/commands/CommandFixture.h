#pragma once
// A small generated result (four threads, 1 s of data at one tick per nanosecond), opened once
// per test program, and a frame holding a pane whose timeline has a ruler provider and one area
// of thread rows, as the configuration would leave them.
#include "pane/SarvikEventCallback.h"
#include "pane/TimelinePane.h"

#include <brannow2/IMessenger.h>
#include <dd_sarvik_2_2/filter/dd_filter.h>
#include <mirrow2/sptr_t.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class wxFrame;

namespace velmora_1_0 {
class SarvikProvider;
}

namespace commands_test {

dd_sarvik_2_2::Result* sharedResult();

// The filter's time items as (start, end) ticks.
std::vector<std::pair<std::uint64_t, std::uint64_t>> timeItems(const wchar_t* filterName);
std::vector<dd_sarvik_2_2::dd_attribute_filter> profileItems(const wchar_t* filterName);
// Stores a time item in the global filter (or empties it), as the host does on "apply filter".
void setGlobalFilter(bool on);

struct RecordingMessenger : brannow2::IMessenger {
    void message(int kind, const std::wstring& text) override { messages.emplace_back(kind, text); }
    std::vector<std::pair<int, std::wstring>> messages;
};

// Gives the test the messenger the host would hand over.
class TestPane : public velmora_1_0::TimelinePane {
public:
    using TimelinePane::TimelinePane;
    void useMessenger(brannow2::IMessenger* m) { messenger = m; }
};

class CommandFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Counts of each pane signal raised since set-up.
    struct Signals {
        int selectionChanged = 0;
        int deepView = 0;
        int applyFilter = 0;
        int removeFilters = 0;
        std::vector<std::wstring> highlighting;
    };

    tarquel_1_0::Timeline& timeline() const;
    tarquel_1_0::HeaderCtrl& header() const;

    wxFrame* m_frame = nullptr;
    mirrow2::sptr_t<TestPane> m_pane;
    std::unique_ptr<velmora_1_0::SarvikEventCallback> m_callback;
    velmora_1_0::SarvikProvider* m_areaProvider = nullptr;
    RecordingMessenger m_messenger;
    Signals m_signals;
    // The menu the last context-menu event showed, copied as (id, label, help, enabled, checked).
    struct Item {
        int id;
        wxString label;
        wxString help;
        bool enabled;
        bool checked;
    };
    std::vector<Item> m_menu;
    int m_menusShown = 0;
};

} // namespace commands_test
