#pragma once
// What a host holds for one shown result besides its window: the engine with the opened
// result, the session storage holding the viewpoint, the query library and the messenger.
// open() checks everything a user can get wrong (missing or foreign result directory, unknown
// viewpoint, viewpoint XML that is not well formed) and says which one in `error`, before any
// window exists. open() touches no window, so it may run on a worker (ResultOpenJob); the
// messenger has no window sink then and only prints and counts. Then the pane is started in
// the host's order with start(), on the user-interface thread.
#include "ViewerMessenger.h"

#include <dd_sarvik_2_2/Sarvik.h>
#include <mirrow2/sptr_t.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {
class Result;
class dd_progress_impl;
}
namespace sarvikhelpers_1_0 {
class IQueryLibrary;
}
namespace tessik2 {
class ISessionStorageAccessor;
}
namespace velmora_1_0 {
class TimelinePane;
}

namespace velmora_viewer {

class ViewerSession {
public:
    ViewerSession();
    ~ViewerSession();
    ViewerSession(const ViewerSession&) = delete;
    ViewerSession& operator=(const ViewerSession&) = delete;

    // `progress`, when given, hears how far the engine has read the result and may cancel it.
    bool open(const std::filesystem::path& resultDirectory, const std::string& viewpoint, std::string& error,
              dd_sarvik_2_2::dd_progress_impl* progress = nullptr);
    // setStorage, setQueryLibrary, addResult: the order the pane expects.
    void start(velmora_1_0::TimelinePane& pane);

    dd_sarvik_2_2::Result* result() const { return m_result; }
    const std::filesystem::path& resultDirectory() const { return m_resultDirectory; }
    const std::string& viewpointName() const { return m_viewpointName; }
    ViewerMessenger& messenger() { return m_messenger; }
    // What the import of the shown trace skipped or repaired (empty for other results), stored
    // with the result so that every open tells it.
    const std::vector<std::string>& importNotes() const { return m_importNotes; }

    // The folder of shared data (catalog, viewpoints): $VELMORA_DATA_DIR or the source tree's.
    static std::filesystem::path dataDirectory();
    static std::filesystem::path bundledViewpoints() { return dataDirectory() / "viewpoints"; }

private:
    bool resolveViewpoint(const std::string& viewpoint, std::string& error);
    void readImportNotes();

    ViewerMessenger m_messenger; // outlives the storage and the engine below
    dd_sarvik_2_2::Sarvik m_engine;
    dd_sarvik_2_2::Result* m_result = nullptr; // owned by m_engine
    std::filesystem::path m_resultDirectory;
    std::string m_viewpointName;
    std::filesystem::path m_viewpointDirectory;
    std::wstring m_storagePath; // "section.tree"
    mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> m_library;
    std::vector<std::string> m_importNotes;
};

} // namespace velmora_viewer
