#include "CommandFixture.h"

#include "WxTestMain.h"
#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/Result.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/menu.h>

namespace commands_test {

using dd_sarvik_2_2::dd_filter;

std::vector<std::pair<std::uint64_t, std::uint64_t>> timeItems(const wchar_t* filterName)
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> items;
    for (const auto& item : dd_filter(sharedResult()->get_database(), filterName).get_time_filters())
        items.emplace_back(item.start, item.end);
    return items;
}

std::vector<dd_sarvik_2_2::dd_attribute_filter> profileItems(const wchar_t* filterName)
{
    return dd_filter(sharedResult()->get_database(), filterName).get_profile_filters();
}

void setGlobalFilter(bool on)
{
    dd_filter global(sharedResult()->get_database(), dd_filter::global_name);
    global.clear_filters();
    if (on)
        global.add_time_filter(1, 2);
}

void CommandFixture::SetUp()
{
    ASSERT_NE(sharedResult(), nullptr);
    for (const wchar_t* name : {dd_filter::selection_name, dd_filter::global_name, L"deep_view_selection_filter"})
        dd_filter(sharedResult()->get_database(), name).clear_filters();

    m_harness.writeViewpoint(L"views", pane_test::threadArea(pane_test::layer("waitStates")));
    m_harness.start(L"views");
    m_harness.messenger.clear();
    m_areaProvider = dynamic_cast<velmora_1_0::SarvikProvider*>(timeline().getDataProvider(0));
    ASSERT_NE(m_areaProvider, nullptr);
    ASSERT_TRUE(chart_test::pumpUntil([this] { return timeline().IsShown(); }));

    velmora_1_0::TimelinePane& pane = m_harness.pane();
    m_callback = std::make_unique<velmora_1_0::SarvikEventCallback>(&pane);
    m_callback->setMenuPresenter([this](wxWindow&, wxMenu& menu) {
        ++m_menusShown;
        m_menu.clear();
        for (const wxMenuItem* item : menu.GetMenuItems())
            if (!item->IsSeparator())
                m_menu.push_back({item->GetId(), item->GetItemLabelText(), item->GetHelp(), item->IsEnabled(),
                                  item->IsCheckable() && item->IsChecked()});
    });
    pane.selectionChangedSignal.connect([this] { ++m_signals.selectionChanged; });
    pane.deepViewSignal.connect([this] { ++m_signals.deepView; });
    pane.applyFilterSignal.connect([this] { ++m_signals.applyFilter; });
    pane.removeFiltersSignal.connect([this] { ++m_signals.removeFilters; });
    pane.highlightingSignal.connect([this](const std::wstring& name) { m_signals.highlighting.push_back(name); });
}

tarquel_1_0::Timeline& CommandFixture::timeline()
{
    return *m_harness.pane().getTimeline();
}

tarquel_1_0::HeaderCtrl& CommandFixture::header()
{
    return *timeline().getHeader(0);
}

} // namespace commands_test
