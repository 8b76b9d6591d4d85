#include "CommandFixture.h"

#include "WxTestMain.h"
#include "provider/SarvikDataSource.h"
#include "provider/SarvikProvider.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/frame.h>
#include <wx/menu.h>

#include <filesystem>

namespace commands_test {

using dd_sarvik_2_2::dd_filter;

dd_sarvik_2_2::Result* sharedResult()
{
    static dd_sarvik_2_2::Sarvik engine;
    static dd_sarvik_2_2::Result* result = [] {
        const auto directory = std::filesystem::temp_directory_path() /
                               ("velmora_commands_" + std::to_string(::getpid()));
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 4;
        options.processes = 1;
        options.duration = 1000000000;
        options.samples = 200;
        options.markers = 20;
        options.transitions = 10;
        options.globalMarkers = 4;
        options.counterValues = 10;
        dd_sarvik_2_2::Result* opened = nullptr;
        if (dd_sarvik_2_2::store::ResultGenerator(options).writeTo(directory).ok())
            engine.result_open(opened, directory.wstring(), L"", nullptr);
        return opened;
    }();
    return result;
}

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

    m_frame = new wxFrame(nullptr, wxID_ANY, "commands", wxDefaultPosition, wxSize(800, 600));
    m_pane = new TestPane(m_frame);
    m_pane->useMessenger(&m_messenger);
    m_callback = std::make_unique<velmora_1_0::SarvikEventCallback>(m_pane.get());
    m_callback->setMenuPresenter([this](wxWindow&, wxMenu& menu) {
        ++m_menusShown;
        m_menu.clear();
        for (const wxMenuItem* item : menu.GetMenuItems())
            if (!item->IsSeparator())
                m_menu.push_back({item->GetId(), item->GetItemLabelText(), item->GetHelp(), item->IsEnabled(),
                                  item->IsCheckable() && item->IsChecked()});
    });

    tarquel_1_0::Timeline& chart = timeline();
    auto* ruler = new velmora_1_0::SarvikProvider();
    ruler->setResult(-1, sharedResult());
    chart.setGlobalDataProvider(ruler);
    chart.setGlobalEventCallback(m_callback.get());

    velmora_1_0::SarvikDataSource rows;
    rows.attributeTable = "dd_thread";
    rows.instanceTable = "dd_band";
    rows.attributeName = "name";
    rows.queryKind = 1;
    const int area = chart.addPane("Threads");
    m_areaProvider = new velmora_1_0::SarvikProvider();
    m_areaProvider->setRowByDS(new velmora_1_0::SarvikDataSource(rows));
    m_areaProvider->setResult(area, sharedResult(), rows);
    chart.setDataProvider(area, m_areaProvider, true);
    chart.setEventCallback(area, m_callback.get());
    chart.finalize(false);
    m_frame->Show();
    chart_test::pumpUntil([this] { return timeline().IsShown(); });

    m_pane->selectionChangedSignal.connect([this] { ++m_signals.selectionChanged; });
    m_pane->deepViewSignal.connect([this] { ++m_signals.deepView; });
    m_pane->applyFilterSignal.connect([this] { ++m_signals.applyFilter; });
    m_pane->removeFiltersSignal.connect([this] { ++m_signals.removeFilters; });
    m_pane->highlightingSignal.connect([this](const std::wstring& name) { m_signals.highlighting.push_back(name); });
}

void CommandFixture::TearDown()
{
    m_pane = nullptr;
    if (m_frame)
        m_frame->Destroy();
    chart_test::pumpPending();
    m_callback.reset();
}

tarquel_1_0::Timeline& CommandFixture::timeline() const
{
    return *m_pane->getTimeline();
}

tarquel_1_0::HeaderCtrl& CommandFixture::header() const
{
    return *timeline().getHeader(0);
}

} // namespace commands_test
