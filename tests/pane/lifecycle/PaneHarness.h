#pragma once
// Drives a real pane in a real window: a shown frame as the host's parent window, a generated
// result opened by the engine, the shipped query catalog, and viewpoints written as XML files of
// a session storage directory. Shared by the pane's lifecycle and configuration tests.
#include "pane/TimelinePane.h"

#include "ScratchDirectory.h"

#include <brannow2/CollectingMessenger.h>
#include <mirrow2/sptr_t.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

class wxFrame;

namespace pane_test {

// The pane with its protected state readable.
class ProbePane : public velmora_1_0::TimelinePane {
public:
    using TimelinePane::TimelinePane;
    using TimelinePane::configureInfoQueryLayer;
    using TimelinePane::selectionFromPane;
    using TimelinePane::stateNode;
    using TimelinePane::viewpoint;
};

// One created layer: its class ("OverTime", "Derived", "AttrOverTime", "EventMarker",
// "GlobalEventMarker", "MultiBand", "Transition") and its pane index (-1: the ruler).
struct LayerSeen {
    std::string kind;
    int paneIndex;
    bool operator==(const LayerSeen& other) const { return kind == other.kind && paneIndex == other.paneIndex; }
};

class PaneHarness {
public:
    // Shows `result` (borrowed), or a small generated result shared by the whole program.
    explicit PaneHarness(dd_sarvik_2_2::Result* result = nullptr);
    ~PaneHarness();

    // Writes `body` (the children of the viewpoint element) as tree "view" of section `section`.
    void writeViewpoint(const std::wstring& section, const std::string& body);
    // Stores a viewpoint file (root element "view") as section `section`.
    void copyViewpoint(const std::wstring& section, const std::filesystem::path& file);
    // Constructs the pane and follows the host's order: storage "section.view", library, result.
    void start(const std::wstring& section);
    void setStorage(const std::wstring& path);
    // The shipped catalog, with extraQueries (query elements) added when given.
    void setQueryLibrary(const std::string& extraQueries = std::string());
    void setQueryLibraryFile(const std::filesystem::path& catalog);
    void addResult();

    ProbePane& pane() { return *m_pane; }
    dd_sarvik_2_2::Result* result() const;
    std::vector<std::wstring> shownMessages() const;
    std::vector<LayerSeen> layers() const;

    brannow2::CollectingMessenger messenger;

private:
    ScratchDirectory m_storage;
    const std::filesystem::path m_storageDir;
    dd_sarvik_2_2::Result* m_result;
    wxFrame* m_frame = nullptr;
    mirrow2::sptr_t<ProbePane> m_pane;
};

// The small generated result a harness shows unless given another, opened once per program.
dd_sarvik_2_2::Result* sharedGeneratedResult();

// An area over threads holding the given layer elements (XML text).
std::string threadArea(const std::string& layers);
// A layer drawn by the catalog query `query`.
std::string layer(const std::string& query);
std::string ruler(const std::string& layers);

void PrintTo(const LayerSeen& layer, std::ostream* os);

} // namespace pane_test
