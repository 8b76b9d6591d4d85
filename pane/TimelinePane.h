#pragma once
// One timeline view of the host. The host constructs it for a parent window, gives it the session
// storage that holds the viewpoint description (setStorage), the query library (setQueryLibrary)
// and then the result to show (addResult), which parses the description and builds the ruler,
// areas, layers and data providers of the timeline control. Afterwards the host forwards its
// notifications (data, filter and selection changes) and listens to the pane's signals.
//
// Configuration problems never stop the build: each one becomes a "Timeline: " message in the
// error list, shown through the messenger only when the description asks for it. Everything here
// runs on the user-interface thread. Reference counted; never copied.
#include "pane/LayerOrigins.h"
#include "pane/ViewpointParser.h"
#include <VelmoraExport.h>

#include <dd_sarvik_2_2/dd_overtime_query.h>
#include <dd_sarvik_2_2/dd_utility.h>
#include <mirrow2/object_interface_t.h>
#include <mirrow2/ref_counter_t.h>
#include <mirrow2/signal_t.h>
#include <mirrow2/sptr_t.h>
#include <mirrow2/variant_bag_t.h>
#include <pendrel_2_0/DoiDescriptor.h>
#include <pendrel_2_0/ResultDescriptor.h>
#include <tessik2/ISessionStorageAccessor.h>

#include <wx/string.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class wxWindow;

namespace brannow2 {
class IMessenger;
}
namespace dd_sarvik_2_2 {
class Result;
}
namespace sarvikhelpers_1_0 {
class IQueryLibrary;
}
namespace tarquel_1_0 {
class Timeline;
}

namespace velmora_1_0 {

class SarvikEventCallback;
class TimelinePaneContainer;

class VELMORA_API TimelinePane
    : public mirrow2::ref_counter_t<mirrow2::object_interface_t, mirrow2::simple_ref_count_impl_t> {
public:
    // A multi-band layer that was created, kept so that a transition layer joins it later.
    struct LayerRecord {
        int paneIndex = -1;
        ViewpointParser::LayerInfo layer;
    };

    explicit TimelinePane(wxWindow* parent);
    ~TimelinePane() override;

    bool setStorage(mirrow2::sptr_t<tessik2::ISessionStorageAccessor> storage, const std::wstring& path,
                    brannow2::IMessenger* messenger);
    void setQueryLibrary(mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> library);
    void addResult(dd_sarvik_2_2::Result* result);
    void compareResults(dd_sarvik_2_2::Result* a, dd_sarvik_2_2::Result* b);
    bool updateResultDescriptor(const dd_sarvik_2_2::Result* result, const pendrel_2_0::ResultDescriptor& descriptor);
    void doiChanged(pendrel_2_0::DoiDescriptor descriptor);
    void dataChanged();
    void filterChanged();
    // The host's report of a selection change; the echo of our own change is ignored.
    void selectionChanged();
    void generateSelectionChangedEvent();
    void customizeLegend();
    void paneActivated();
    void enableDataLoad();
    void disableDataLoad();
    void colorSchemaChanged();
    void viewpointChanged();
    void updateHighlighting(const std::wstring& text);
    void onPathFixupUpdated(const dd_sarvik_2_2::dd_utility::dd_path_fixup::mapping& mapping);
    // Saves the viewpoint description this timeline was built from to `file`, with the layer
    // colours and row sort orders as they are now; false with the reason in `error`.
    bool saveViewpoint(const std::filesystem::path& file, wxString& error) const;

    TimelinePaneContainer* getContainer() const { return container; }
    tarquel_1_0::Timeline* getTimeline() const { return timeline; }
    // The answers to the timeline's user events (menus, selections); a host may give it its own
    // menu presenter.
    SarvikEventCallback* getEventCallback() const { return eventCallback.get(); }
    brannow2::IMessenger* getMessenger() const { return messenger; }

    // Messages collected and not shown yet (kept while the description's showError is false).
    const std::vector<wxString>& getErrors() const { return errors; }
    const ViewpointParser& getParser() const { return *parser; }

    mirrow2::signal_t<> selectionChangedSignal;
    mirrow2::signal_t<> deepViewSignal;
    mirrow2::signal_t<> applyFilterSignal;
    mirrow2::signal_t<> removeFiltersSignal;
    mirrow2::signal_t<const std::wstring&> highlightingSignal;

protected:
    TimelinePane(const TimelinePane& other);
    TimelinePane& operator=(const TimelinePane& other);

    void addError(const wxString& text);
    void reportErrors();
    void restoreViewpoint();
    // Gives the timeline the time the global filter keeps, so that every graph masks the rest.
    void applyTimeMask();
    void writeState();
    void restoreState();
    void writeViewpoint();
    // The sort orders the description gives its areas' rows.
    void applySortOrders();
    void configureTimeline(dd_sarvik_2_2::Result* result, std::vector<ViewpointParser::Area>& areas,
                           ViewpointParser::Ruler& ruler);

    static constexpr std::size_t MAX_AREAS = 64;

    // Configuration of the ruler, the areas and their layers; each returns once the timeline
    // holds what it built.
    void configureRuler(dd_sarvik_2_2::Result* result, ViewpointParser::Ruler& ruler);
    void configureAreas(dd_sarvik_2_2::Result* result, std::vector<ViewpointParser::Area>& areas);
    bool isValidTable(dd_sarvik_2_2::Result* result, const std::wstring& instanceTable,
                      const std::wstring& attributeTable, int areaInstance, int rowSetInstance, int layerInstance);
    bool configureTimeQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer, int paneIndex,
                                 const wxString& rowByName);
    bool configureCountQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer, int paneIndex,
                                  const wxString& rowByName);
    bool configureInstanceCountQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer,
                                          int paneIndex, const wxString& rowByName);
    bool createOvertimeLayer(dd_sarvik_2_2::dd_overtime_query::data_src source, ViewpointParser::LayerInfo& layer,
                             int paneIndex, const wxString& rowByName);
    void resolveDrawByDerivedQuery(dd_sarvik_2_2::Result* result, ViewpointParser::DrawBy& drawBy);
    bool configureDerivedQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer,
                                    int paneIndex, const wxString& rowByName);
    bool isValidInfoQueryLayer(dd_sarvik_2_2::Result* result, const ViewpointParser::LayerInfo& layer);
    bool isValidTimeQueryLayer(dd_sarvik_2_2::Result* result, const ViewpointParser::LayerInfo& layer);
    bool isValidCountQueryLayer(dd_sarvik_2_2::Result* result, const ViewpointParser::LayerInfo& layer);
    bool isValidInstanceCountQueryLayer(dd_sarvik_2_2::Result* result, const ViewpointParser::LayerInfo& layer);

    // Info-query (band table) layers and the transition layers that join multi-band layers.
    bool configureInfoQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer, int paneIndex,
                                 bool areaHasRowByTable, const wxString& rowByName);
    bool configureSingleBandLayer(ViewpointParser::LayerInfo& layer, int paneIndex);
    bool configureSMBLayer(ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& rowByName);
    bool configureGlobalBandLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer, int paneIndex);
    bool configureGlobalBand2Layer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer, int paneIndex);
    void createTransitionLayers();

    TimelinePaneContainer* container = nullptr; // child of the parent window, goes with it
    tarquel_1_0::Timeline* timeline = nullptr;  // owned by the container
    mirrow2::sptr_t<tessik2::ISessionStorageAccessor> storage;
    std::wstring storagePath;
    mirrow2::variant_bag_t viewpoint;
    mirrow2::sptr_t<mirrow2::object_interface_t> stateNode; // held for the host, not read
    brannow2::IMessenger* messenger = nullptr;             // borrowed
    mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> queryLibrary;
    std::unique_ptr<ViewpointParser> parser;
    std::unique_ptr<SarvikEventCallback> eventCallback; // created for this pane
    std::vector<wxString> errors;
    LayerOrigins layerOrigins;
    // For each created area, the position of its <area> among the description's areas.
    std::vector<std::size_t> paneAreas;
    // True between a selection change raised here and the host's echo of it.
    bool selectionFromPane = false;

public:
    // Read by the context commands; one record per multi-band layer created.
    std::vector<LayerRecord> layerRecords;
};

} // namespace velmora_1_0
