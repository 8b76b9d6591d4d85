#pragma once
// A pane in a real window over the harness's generated result, configured with one area of
// thread rows beside the ruler's provider, and an event callback of the test's own whose context
// menus are recorded instead of shown.
#include "PaneHarness.h"
#include "pane/SarvikEventCallback.h"

#include <dd_sarvik_2_2/filter/dd_filter.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmora_1_0 {
class SarvikProvider;
}

namespace commands_test {

inline dd_sarvik_2_2::Result* sharedResult()
{
    return pane_test::sharedGeneratedResult();
}

// The filter's time items as (start, end) ticks.
std::vector<std::pair<std::uint64_t, std::uint64_t>> timeItems(const wchar_t* filterName);
std::vector<dd_sarvik_2_2::dd_attribute_filter> profileItems(const wchar_t* filterName);
// Stores a time item in the global filter (or empties it), as the host does on "apply filter".
void setGlobalFilter(bool on);

class CommandFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Counts of each pane signal raised since set-up.
    struct Signals {
        int selectionChanged = 0;
        int deepView = 0;
        int applyFilter = 0;
        int removeFilters = 0;
        std::vector<std::wstring> highlighting;
    };

    tarquel_1_0::Timeline& timeline();
    tarquel_1_0::HeaderCtrl& header();

    pane_test::PaneHarness m_harness;
    std::unique_ptr<velmora_1_0::SarvikEventCallback> m_callback;
    velmora_1_0::SarvikProvider* m_areaProvider = nullptr;
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
