#include "PaneHarness.h"

#include "ScratchDirectory.h"
#include "WxTestMain.h"
#include "layers/AttrOverTimeLayer.h"
#include "layers/DerivedOverTimeLayer.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/OverTimeLayer.h"
#include "layers/TransitionLayer.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/GeneratorOptions.h>
#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>
#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/SMBDataLayer.h>
#include <tarquel_1_0/Timeline.h>
#include <tessik2/XmlSessionStorage.h>

#include <gtest/gtest.h>

#include <wx/frame.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace pane_test {

namespace fs = std::filesystem;

namespace {

fs::path dataDir()
{
    const char* dir = std::getenv("VELMORA_DATA_DIR");
    return dir ? fs::path(dir) : fs::path(VELMORA_SOURCE_DIR) / "data";
}

// One small generated result for the whole program: opening it is the slow part.
struct SharedResult {
    SharedResult()
    {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 6;
        options.processes = 2;
        options.samples = 4000;
        options.markers = 200;
        options.transitions = 100;
        options.globalMarkers = 20;
        options.counterValues = 50;
        const fs::path directory = sharedScratchDirectory("velmora_pane_result") / "result";
        dd_sarvik_2_2::store::ResultGenerator(options).writeTo(directory);
        engine.result_open(result, directory.wstring(), L"", nullptr);
    }
    dd_sarvik_2_2::Sarvik engine;
    dd_sarvik_2_2::Result* result = nullptr;
};

std::string kindOf(tarquel_1_0::GraphLayer* layer)
{
    using namespace velmora_1_0;
    if (dynamic_cast<GlobalEventMarkerLayer*>(layer))
        return "GlobalEventMarker";
    if (dynamic_cast<EventMarkerLayer*>(layer))
        return "EventMarker";
    if (dynamic_cast<AttrOverTimeLayer*>(layer))
        return "AttrOverTime";
    if (dynamic_cast<DerivedOverTimeLayer*>(layer))
        return "Derived";
    if (dynamic_cast<OverTimeLayer*>(layer))
        return "OverTime";
    if (dynamic_cast<TransitionLayer*>(layer))
        return "Transition";
    if (dynamic_cast<tarquel_1_0::SMBDataLayer*>(layer))
        return "MultiBand";
    return "other";
}

} // namespace

PaneHarness::PaneHarness(dd_sarvik_2_2::Result* result)
    : m_storage("velmora_pane_views")
    , m_storageDir(m_storage.path())
    , m_result(result ? result : sharedGeneratedResult())
{
    m_frame = new wxFrame(nullptr, wxID_ANY, "pane test", wxDefaultPosition, wxSize(1200, 800));
    m_frame->Show();
    m_pane = mirrow2::sptr_t<ProbePane>(new ProbePane(m_frame));
}

PaneHarness::~PaneHarness()
{
    m_pane = nullptr;
    m_frame->Destroy();
    chart_test::pumpPending();
}

void PaneHarness::writeViewpoint(const std::wstring& section, const std::string& body)
{
    std::ofstream(m_storageDir / (section + L".xml")) << "<?xml version=\"1.0\"?>\n<view>" << body << "</view>\n";
}

void PaneHarness::copyViewpoint(const std::wstring& section, const fs::path& file)
{
    fs::copy_file(file, m_storageDir / (section + L".xml"), fs::copy_options::overwrite_existing);
}

void PaneHarness::start(const std::wstring& section)
{
    setStorage(section + L".view");
    setQueryLibrary();
    addResult();
}

void PaneHarness::setStorage(const std::wstring& path)
{
    m_pane->setStorage(tessik2::createXmlSessionStorage(m_storageDir.wstring(), &messenger), path, &messenger);
}

void PaneHarness::setQueryLibrary(const std::string& extraQueries)
{
    const fs::path shipped = dataDir() / "queries" / "catalog.xml";
    if (extraQueries.empty()) {
        setQueryLibraryFile(shipped);
        return;
    }
    std::ifstream in(shipped);
    std::string catalog((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    catalog.insert(catalog.rfind("</queryCatalog>"), extraQueries);
    const fs::path extended = m_storageDir / "catalog.xml";
    std::ofstream(extended) << catalog;
    setQueryLibraryFile(extended);
}

void PaneHarness::setQueryLibraryFile(const fs::path& catalog)
{
    m_pane->setQueryLibrary(sarvikhelpers_1_0::loadQueryLibrary(catalog, &messenger));
}

void PaneHarness::addResult()
{
    m_pane->addResult(result());
}

dd_sarvik_2_2::Result* PaneHarness::result() const
{
    return m_result;
}

std::vector<std::wstring> PaneHarness::shownMessages() const
{
    std::vector<std::wstring> texts;
    for (const auto& message : messenger.messages()) {
        if (message.m_kind == brannow2::IMessenger::Configuration)
            texts.push_back(message.m_text);
    }
    return texts;
}

std::vector<LayerSeen> PaneHarness::layers() const
{
    const tarquel_1_0::Directory& directory = m_pane->getTimeline()->getDirectory();
    std::vector<LayerSeen> seen;
    for (tarquel_1_0::GraphLayer* layer : directory.getLayers())
        seen.push_back({kindOf(layer), directory.paneIndexOf(directory.findGraphOf(layer))});
    return seen;
}

dd_sarvik_2_2::Result* sharedGeneratedResult()
{
    static SharedResult shared;
    return shared.result;
}

std::string threadArea(const std::string& layers)
{
    return "<area><rowSet displayName=\"Threads\"><rowBy><queryRef>threads</queryRef></rowBy>" + layers +
           "</rowSet></area>";
}

std::string layer(const std::string& query)
{
    return "<layer><drawBy><queryRef>" + query + "</queryRef></drawBy></layer>";
}

std::string ruler(const std::string& layers)
{
    return "<ruler>" + layers + "</ruler>";
}

void PrintTo(const LayerSeen& layer, std::ostream* os)
{
    *os << layer.kind << "@" << layer.paneIndex;
}

} // namespace pane_test
