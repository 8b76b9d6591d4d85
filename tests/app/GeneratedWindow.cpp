#include "GeneratedWindow.h"

#include "ViewerApp.h"
#include "ViewerSession.h"
#include "WxTestMain.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Timeline.h>

#include <algorithm>

#include <unistd.h>

namespace viewer_test {

namespace fs = std::filesystem;
namespace store = dd_sarvik_2_2::store;

namespace {

store::GeneratorOptions options()
{
    store::GeneratorOptions generated;
    generated.threads = 4;
    generated.samples = 5000;
    generated.markers = 40;
    generated.transitions = 20;
    generated.globalMarkers = 10;
    return generated;
}

template <class Table>
const Table& named(const std::vector<Table>& tables, const std::wstring& name)
{
    const auto found = std::find_if(tables.begin(), tables.end(), [&name](const Table& t) { return t.name == name; });
    EXPECT_NE(found, tables.end()) << std::string(name.begin(), name.end());
    static const Table none{};
    return found == tables.end() ? none : *found;
}

} // namespace

void GeneratedWindow::SetUpTestSuite()
{
    s_directory = fs::temp_directory_path() / ("velmora_generated_window_" + std::to_string(::getpid()));
    fs::remove_all(s_directory);
    ASSERT_TRUE(store::ResultGenerator(options()).writeTo(s_directory).ok());
    s_records = store::ResultGenerator(options()).generate();
}

void GeneratedWindow::TearDownTestSuite()
{
    fs::remove_all(s_directory);
}

void GeneratedWindow::SetUp()
{
    auto session = std::make_unique<velmora_viewer::ViewerSession>();
    std::string error;
    ASSERT_TRUE(session->open(s_directory, "default", error)) << error;
    m_frame = velmora_viewer::ViewerApp::showWindow(std::move(session), nullptr);
    ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, 60000));
    m_layer = layerOf<velmora_1_0::SliceLayer>();
    ASSERT_NE(m_layer, nullptr);
}

void GeneratedWindow::TearDown()
{
    if (m_frame)
        m_frame->Destroy();
    chart_test::pumpPending();
}

const store::AttributeTableRecord& GeneratedWindow::attributes(const std::wstring& name)
{
    return named(s_records.attributeTables, name);
}

const store::BandTableRecord& GeneratedWindow::band(const std::wstring& name)
{
    return named(s_records.bandTables, name);
}

std::wstring GeneratedWindow::text(const std::wstring& table, int instance, int column)
{
    const auto& row = attributes(table).instances.at(static_cast<std::size_t>(instance));
    const auto& value = row.at(static_cast<std::size_t>(column));
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_wstring(*number);
    const auto* words = std::get_if<std::wstring>(&value);
    return words ? *words : std::wstring();
}

void GeneratedWindow::mouse(wxEventType type, wxPoint at, wxWindow* window)
{
    wxWindow* target = window ? window : graph();
    wxMouseEvent event(type);
    event.SetEventObject(target);
    event.SetPosition(at);
    event.m_leftDown = type == wxEVT_LEFT_DOWN;
    target->GetEventHandler()->ProcessEvent(event);
}

void GeneratedWindow::click(wxPoint at, wxWindow* window)
{
    mouse(wxEVT_MOTION, at, window);
    mouse(wxEVT_LEFT_DOWN, at, window);
    mouse(wxEVT_LEFT_UP, at, window);
}

void GeneratedWindow::key(wxWindow* window, wxEventType type, int code, int modifiers)
{
    wxKeyEvent event(type);
    event.SetEventObject(window);
    event.m_keyCode = code;
    event.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
    event.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
    window->GetEventHandler()->ProcessEvent(event);
}

} // namespace viewer_test
