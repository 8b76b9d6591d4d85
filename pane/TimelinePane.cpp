#include "pane/TimelinePane.h"

#include "pane/BandTableCheck.h"
#include "pane/LayerFactory.h"
#include "pane/LayerLocation.h"
#include "pane/SarvikEventCallback.h"
#include "pane/TimelinePaneContainer.h"
#include "pane/ViewpointFile.h"
#include "pane/ViewpointUpdate.h"
#include "provider/SarvikProvider.h"

#include <VORN_2_9/strings.h>
#include <brannow2/IMessenger.h>
#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_band_table.h>
#include <mirrow2/object_registry.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IQueryLibrary.h>
#include <tarquel_1_0/GraphArea.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/window.h>

#include <algorithm>

namespace velmora_1_0 {

namespace {

// The names by which the host asks an object for its pane, registered once when the library loads.
const mirrow2::type_registration_t paneTypeName =
    mirrow2::get_object_registry().register_type("dasID_velmora1::TimelinePane", false);
const mirrow2::type_registration_t constPaneTypeName =
    mirrow2::get_object_registry().register_type("dasID_constvelmora1::TimelinePane", false);

constexpr int configurationMessageKind = brannow2::IMessenger::Configuration;

enum QueryKind { infoKind = 1, dataKind = 2, timeKind = 3, countKind = 4, instanceCountKind = 5, derivedKind = 6 };

dd_sarvik_2_2::dd_overtime_query::data_src overTimeSourceOf(int kind)
{
    switch (kind) {
    case timeKind:
        return dd_sarvik_2_2::dd_overtime_query::data_src_time;
    case countKind:
        return dd_sarvik_2_2::dd_overtime_query::data_src_count;
    default:
        return dd_sarvik_2_2::dd_overtime_query::data_src_instance_count;
    }
}

// A limit the query does not give keeps the value the data source already has.
void readLimit(const std::optional<std::wstring>& text, double& limit)
{
    double value = 0.0;
    if (text)
        limit = wxString(*text).ToCDouble(&value) ? value : 0.0;
}

// A provider is ended only through deleteSelf, which also stops its worker thread.
struct EndProvider {
    void operator()(SarvikProvider* provider) const { provider->deleteSelf(); }
};
using ProviderPtr = std::unique_ptr<SarvikProvider, EndProvider>;

} // namespace

TimelinePane::TimelinePane(wxWindow* parent)
{
    for (const char* catalog : {"tarquel", "velmora", "viewpoint"})
        tarquel_1_0::registerMessageCatalog(catalog);
    // A child window of the parent: the window system destroys it with the parent.
    container = new TimelinePaneContainer(parent, wxPoint(0, 0), parent->GetClientSize());
    parser = std::make_unique<ViewpointParser>();
    timeline = container->getTimeline();
    timeline->showStatus(false);
    eventCallback = std::make_unique<SarvikEventCallback>(this);
}

TimelinePane::~TimelinePane() = default;

// Panes are never copied: the protected copy operations exist only to keep them from being public.
TimelinePane::TimelinePane(const TimelinePane& other) : ref_counter_t(other) {}

TimelinePane& TimelinePane::operator=(const TimelinePane&)
{
    return *this;
}

bool TimelinePane::setStorage(mirrow2::sptr_t<tessik2::ISessionStorageAccessor> newStorage, const std::wstring& path,
                              brannow2::IMessenger* newMessenger)
{
    storage = std::move(newStorage);
    storagePath = path;
    messenger = newMessenger;
    timeline->setMessenger(messenger);

    const std::vector<std::wstring> parts = VORN_2_9::strings::split_string(path, L".");
    if (parts.size() != 2 || !storage)
        return true;
    const mirrow2::sptr_t<tessik2::ISessionSection> section = storage->get_section(parts[0]);
    viewpoint = section->get_variant_bag(parts[1], mirrow2::variant_bag_t());
    stateNode = section->get_object(parts[1]);
    return true;
}

void TimelinePane::setQueryLibrary(mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> library)
{
    queryLibrary = std::move(library);
}

void TimelinePane::addResult(dd_sarvik_2_2::Result* result)
{
    restoreViewpoint();
    configureTimeline(result, parser->areas, parser->ruler);
    if (result && !parser->areas.empty())
        createTransitionLayers();
    applyTimeMask();
    timeline->finalize(true);
    applySortOrders();
}

void TimelinePane::compareResults(dd_sarvik_2_2::Result*, dd_sarvik_2_2::Result*) {}

bool TimelinePane::updateResultDescriptor(const dd_sarvik_2_2::Result*, const pendrel_2_0::ResultDescriptor&)
{
    return false;
}

void TimelinePane::doiChanged(pendrel_2_0::DoiDescriptor) {}

void TimelinePane::dataChanged()
{
    timeline->reload(false);
}

void TimelinePane::filterChanged()
{
    applyTimeMask();
    timeline->filterChanged();
}

void TimelinePane::applyTimeMask()
{
    // Every provider reads the one global filter of the result: the ruler's answers for all.
    if (auto* provider = dynamic_cast<SarvikProvider*>(timeline->getGlobalDataProvider()))
        timeline->setTimeMask(provider->timeMask());
}

void TimelinePane::selectionChanged()
{
    if (selectionFromPane) {
        selectionFromPane = false;
        return;
    }
    timeline->getRuler()->setSelection(0, 0, false);
    timeline->clearLayerSelection(nullptr);
    timeline->clearHeaderSelection(nullptr);
    timeline->getGraphArea()->renderAllGraphs();
}

void TimelinePane::generateSelectionChangedEvent()
{
    selectionFromPane = true;
    selectionChangedSignal.raise();
}

void TimelinePane::customizeLegend()
{
    timeline->customizeLegend();
}

void TimelinePane::paneActivated() {}
void TimelinePane::enableDataLoad() {}
void TimelinePane::disableDataLoad() {}
void TimelinePane::colorSchemaChanged() {}
void TimelinePane::viewpointChanged() {}
// Highlighting is the host's work (SelectionHighlighter shows what the selection holds).
void TimelinePane::updateHighlighting(const std::wstring&) {}

void TimelinePane::onPathFixupUpdated(const dd_sarvik_2_2::dd_utility::dd_path_fixup::mapping&) {}

void TimelinePane::addError(const wxString& text)
{
    errors.push_back(text);
}

void TimelinePane::reportErrors()
{
    if (!parser->showError)
        return;
    if (messenger) {
        for (const wxString& text : errors)
            messenger->message(configurationMessageKind, text.ToStdWstring());
    }
    errors.clear();
}

void TimelinePane::restoreViewpoint()
{
    if (!queryLibrary) {
        addError("Timeline: No query library object found. Timeline will be appear empty.");
        return;
    }
    if (!parser->parse(viewpoint, queryLibrary, messenger))
        parser->getErrors(errors);
}

// The saved state lives in the viewpoint description only; the pane writes nothing back.
void TimelinePane::writeState() {}
void TimelinePane::restoreState() {}
void TimelinePane::writeViewpoint() {}

bool TimelinePane::saveViewpoint(const std::filesystem::path& file, wxString& error) const
{
    if (viewpoint.empty()) {
        error = "There is no viewpoint to save: none was read.";
        return false;
    }
    return ViewpointFile::write(ViewpointUpdate(*timeline, layerOrigins, paneAreas).apply(viewpoint), file, error);
}

void TimelinePane::applySortOrders()
{
    // After the rows are read, so that the order sorts them and is what the providers remember.
    bool sorted = false;
    for (std::size_t paneIndex = 0; paneIndex < paneAreas.size(); ++paneIndex) {
        const int order = parser->areas[paneAreas[paneIndex]].rowSets.front().sortOrder;
        tarquel_1_0::HeaderCtrl* header = timeline->getHeader(static_cast<int>(paneIndex));
        if (header && order >= tarquel_1_0::DataProvider::SORT_TIME_ASCENDING &&
            order <= tarquel_1_0::DataProvider::SORT_LABEL_DESCENDING) {
            header->setSortOrder(order);
            sorted = true;
        }
    }
    if (sorted)
        timeline->getRuler()->sortOrderChanged();
}

void TimelinePane::configureTimeline(dd_sarvik_2_2::Result* result, std::vector<ViewpointParser::Area>& areas,
                                     ViewpointParser::Ruler& ruler)
{
    if (result && !areas.empty()) {
        // Records of an earlier configuration belong to layers that already have their transitions.
        layerRecords.clear();
        layerOrigins.clear();
        paneAreas.clear();
        configureRuler(result, ruler);
        configureAreas(result, areas);
        timeline->getRuler()->sortOrderChanged();
    }
    // Also when nothing could be configured: the messages say why the timeline is empty.
    reportErrors();
}

void TimelinePane::configureRuler(dd_sarvik_2_2::Result* result, ViewpointParser::Ruler& ruler)
{
    for (ViewpointParser::LayerInfo& layer : ruler.layers) {
        const SarvikDataSource& source = layer.drawBy.dataSource;
        if (!layer.drawBy.present || source.queryKind == 0)
            continue;
        if (!isValidTable(result, source.instanceTable.ToStdWstring(), source.attributeTable.ToStdWstring(), 0, 0,
                          layer.instance))
            continue;
        const int kind = source.queryKind;
        if (kind == infoKind || kind == timeKind || kind == countKind || kind == instanceCountKind)
            layer.accepted = true;
    }

    int created = 0;
    for (ViewpointParser::LayerInfo& layer : ruler.layers) {
        if (!layer.accepted)
            continue;
        const int kind = layer.drawBy.dataSource.queryKind;
        const bool built = kind == infoKind ? configureInfoQueryLayer(result, layer, -1, false, wxString())
                                            : createOvertimeLayer(overTimeSourceOf(kind), layer, -1, wxString());
        if (built)
            ++created;
    }

    // The ruler always has its provider, so global layers added later find one.
    ProviderPtr provider(new SarvikProvider);
    provider->setResult(-1, result);
    timeline->setGlobalDataProvider(provider.release());
    timeline->setGlobalEventCallback(eventCallback.get());

    const int specified = static_cast<int>(ruler.layers.size());
    if (created == 0 && specified != 0)
        addError(wxString::Format("Timeline: %d layer(s) for <ruler> were specified in viewpoint, but no layers "
                                  "could be created due to errors.",
                                  specified));
    else if (created != specified)
        addError(wxString::Format("Timeline: %d layer(s) for <ruler> were specified in viewpoint, but only %d "
                                  "layer(s) could be created due to errors.",
                                  specified, created));
}

void TimelinePane::configureAreas(dd_sarvik_2_2::Result* result, std::vector<ViewpointParser::Area>& areas)
{
    // Each area has a worker thread of its own; a viewpoint must not be able to exhaust them.
    const std::size_t usable = std::min(areas.size(), MAX_AREAS);
    if (usable < areas.size())
        addError(wxString::Format("Timeline: The viewpoint has %d areas; a timeline shows at most %d. Only the "
                                  "first %d areas are created.",
                                  static_cast<int>(areas.size()), static_cast<int>(MAX_AREAS),
                                  static_cast<int>(MAX_AREAS)));
    for (std::size_t position = 0; position < usable; ++position) {
        if (areas[position].rowSets.empty())
            continue;
        ViewpointParser::RowSet& rowSet = areas[position].rowSets.front();
        rowSet.valid = false;
        if (!rowSet.hasLayers)
            continue;

        const wxString& rowByTable = rowSet.rowBy.dataSource.attributeTable;
        const bool hasRowByTable = !rowByTable.empty();
        for (ViewpointParser::LayerInfo& layer : rowSet.layers) {
            SarvikDataSource& source = layer.drawBy.dataSource;
            if (!layer.drawBy.present || source.queryKind == 0)
                continue;
            if (source.queryKind == derivedKind)
                resolveDrawByDerivedQuery(result, layer.drawBy);
            else if (!isValidTable(result, source.instanceTable.ToStdWstring(), source.attributeTable.ToStdWstring(),
                                   areas[position].instance, rowSet.instance, layer.instance))
                continue;

            switch (source.queryKind) {
            case infoKind:
                if (!hasRowByTable) {
                    layer.accepted = true;
                } else {
                    const dd_sarvik_2_2::dd_band_table band(result->get_database(), rowByTable.ToStdWstring());
                    const wxString bandAttributeTable(band.get_attribute_table().str());
                    layer.accepted = bandAttributeTable == source.attributeTable;
                    if (!layer.accepted)
                        addError(wxString::Format("Timeline: Cannot create info query layer: attribute table '%s' "
                                                  "is not of same type as band attribute table '%s'.",
                                                  source.attributeTable, bandAttributeTable));
                }
                break;
            case timeKind:
            case countKind:
            case instanceCountKind:
            case derivedKind:
                layer.accepted = true;
                break;
            default:
                break;
            }
            rowSet.valid = rowSet.valid || layer.accepted;
        }

        if (!rowSet.valid) {
            addError(wxString::Format("Timeline: None of the layers in <area>, instance %d, contains valid data. "
                                      "Timeline will not create this area.",
                                      static_cast<int>(position + 1)));
            continue;
        }

        const int paneIndex = timeline->addPane(rowSet.displayName);
        const wxString rowByName(rowSet.rowBy.displayName);
        for (ViewpointParser::LayerInfo& layer : rowSet.layers) {
            if (!layer.accepted)
                continue;
            switch (layer.drawBy.dataSource.queryKind) {
            case infoKind:
                // A global table's values can go on rows that are its own instances (a row per counter).
                configureInfoQueryLayer(result, layer, paneIndex,
                                        hasRowByTable && !(rowByTable == rowSet.rowBy.dataSource.instanceTable &&
                                                           rowByTable == layer.drawBy.dataSource.attributeTable),
                                        rowByName);
                break;
            case derivedKind:
                configureDerivedQueryLayer(result, layer, paneIndex, rowByName);
                break;
            default:
                createOvertimeLayer(overTimeSourceOf(layer.drawBy.dataSource.queryKind), layer, paneIndex, rowByName);
                break;
            }
        }
    }

    const int created = timeline->getPaneCount();
    if (created == 0) {
        addError("Timeline: No areas created due to errors. Timeline will appear empty.");
        return;
    }
    if (created != static_cast<int>(areas.size()))
        addError(wxString::Format("Timeline: %d area(s) were specified in viewpoint, but only %d area(s) could be "
                                  "created due to errors.",
                                  static_cast<int>(areas.size()), created));

    // Pane indices count the created areas only, in the order they were added.
    int paneIndex = 0;
    for (std::size_t position = 0; position < usable; ++position) {
        ViewpointParser::Area& area = areas[position];
        if (area.rowSets.empty() || !area.rowSets.front().valid)
            continue;
        paneAreas.push_back(position);
        const ViewpointParser::RowSet& rowSet = area.rowSets.front();
        ProviderPtr provider(new SarvikProvider);
        if (rowSet.rowBy.present) {
            provider->setRowByDS(new SarvikDataSource(rowSet.rowBy.dataSource));
            provider->setResult(paneIndex, result, rowSet.rowBy.dataSource);
        } else {
            provider->setResult(paneIndex, result);
        }
        if (provider->rowsInResult() > provider->getRowCount())
            addError(wxString::Format("Timeline: <area> instance %d has %d rows, more than a timeline can show. "
                                      "Only the first %d rows are shown; rows %d to %d are left out.",
                                      area.instance, provider->rowsInResult(), int(provider->getRowCount()),
                                      provider->getRowCount() + 1, provider->rowsInResult()));
        timeline->setEventCallback(paneIndex, eventCallback.get());
        timeline->setDataProvider(paneIndex, provider.release(), true);
        timeline->enableFilterLayer(paneIndex);
        ++paneIndex;
    }
}

bool TimelinePane::isValidTable(dd_sarvik_2_2::Result* result, const std::wstring& instanceTable,
                                const std::wstring& attributeTable, int areaInstance, int rowSetInstance,
                                int layerInstance)
{
    const wxString problem = BandTableCheck::problem(*result, instanceTable, attributeTable,
                                                     LayerLocation(areaInstance, rowSetInstance, layerInstance));
    if (!problem.empty())
        addError(problem);
    return problem.empty();
}

bool TimelinePane::configureTimeQueryLayer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer, int paneIndex,
                                           const wxString& rowByName)
{
    return createOvertimeLayer(dd_sarvik_2_2::dd_overtime_query::data_src_time, layer, paneIndex, rowByName);
}

bool TimelinePane::configureCountQueryLayer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer, int paneIndex,
                                            const wxString& rowByName)
{
    return createOvertimeLayer(dd_sarvik_2_2::dd_overtime_query::data_src_count, layer, paneIndex, rowByName);
}

bool TimelinePane::configureInstanceCountQueryLayer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer,
                                                    int paneIndex, const wxString& rowByName)
{
    return createOvertimeLayer(dd_sarvik_2_2::dd_overtime_query::data_src_instance_count, layer, paneIndex,
                               rowByName);
}

bool TimelinePane::createOvertimeLayer(dd_sarvik_2_2::dd_overtime_query::data_src source,
                                       ViewpointParser::LayerInfo& layer, int paneIndex, const wxString&)
{
    LayerFactory(*timeline, layerOrigins).overTime(source, layer, paneIndex);
    return true;
}

void TimelinePane::resolveDrawByDerivedQuery(dd_sarvik_2_2::Result*, ViewpointParser::DrawBy& drawBy)
{
    SarvikDataSource& source = drawBy.dataSource;
    if (!source.derivedQuery)
        return;
    const sarvikhelpers_1_0::IDerivedQuery& query = *source.derivedQuery;
    drawBy.displayName = tarquel_1_0::getString(query.getDisplayName()).ToStdWstring();
    readLimit(query.getLowerLimit(), source.lowerLimit);
    readLimit(query.getUpperLimit(), source.upperLimit);
    // Nodes name tables only, so the same nodes serve whichever result is shown.
    source.expression = query.createRpnNodes();
}

bool TimelinePane::configureDerivedQueryLayer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer, int paneIndex,
                                              const wxString&)
{
    LayerFactory(*timeline, layerOrigins).derived(layer, paneIndex);
    return true;
}

bool TimelinePane::isValidInfoQueryLayer(dd_sarvik_2_2::Result*, const ViewpointParser::LayerInfo&)
{
    return true;
}

bool TimelinePane::isValidTimeQueryLayer(dd_sarvik_2_2::Result*, const ViewpointParser::LayerInfo&)
{
    return true;
}

bool TimelinePane::isValidCountQueryLayer(dd_sarvik_2_2::Result*, const ViewpointParser::LayerInfo&)
{
    return true;
}

bool TimelinePane::isValidInstanceCountQueryLayer(dd_sarvik_2_2::Result*, const ViewpointParser::LayerInfo&)
{
    return true;
}

bool TimelinePane::configureInfoQueryLayer(dd_sarvik_2_2::Result* result, ViewpointParser::LayerInfo& layer,
                                           int paneIndex, bool areaHasRowByTable, const wxString& rowByName)
{
    const std::wstring instanceTable = layer.drawBy.dataSource.instanceTable.ToStdWstring();
    const std::wstring type = BandTableCheck::tableType(*result, instanceTable);
    if (type == L"dd_single_multi_band_obj")
        return configureSMBLayer(layer, paneIndex, rowByName);
    if (type == L"dd_single_band_obj")
        return configureSingleBandLayer(layer, paneIndex);
    const bool globalBand = type == L"dd_global_band_obj";
    if (!globalBand && type != L"dd_global_band_obj2")
        return false;
    if (areaHasRowByTable) {
        addError(wxString::Format("Timeline: Global table '%s' cannot be displayed in areas with <rowBy>. Layer will "
                                  "not be created.",
                                  wxString(instanceTable)));
        return false;
    }
    return globalBand ? configureGlobalBandLayer(result, layer, paneIndex)
                      : configureGlobalBand2Layer(result, layer, paneIndex);
}

bool TimelinePane::configureSingleBandLayer(ViewpointParser::LayerInfo& layer, int paneIndex)
{
    // The icon type "slices" asks for the durations nested in lanes instead of as markers.
    if (layer.drawBy.iconType == L"slices")
        LayerFactory(*timeline, layerOrigins).slices(layer, paneIndex);
    else
        LayerFactory(*timeline, layerOrigins).eventMarkers(layer, paneIndex);
    return true;
}

bool TimelinePane::configureSMBLayer(ViewpointParser::LayerInfo& layer, int paneIndex, const wxString& rowByName)
{
    LayerFactory(*timeline, layerOrigins).multiBand(layer, paneIndex, rowByName);
    layerRecords.push_back({paneIndex, layer});
    return true;
}

bool TimelinePane::configureGlobalBandLayer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer, int paneIndex)
{
    if (LayerFactory(*timeline, layerOrigins).globalBand(layer, paneIndex, layer.drawBy.iconType))
        return true;
    addError("Timeline: Global band layer could not be created due to unknown display format.");
    return false;
}

bool TimelinePane::configureGlobalBand2Layer(dd_sarvik_2_2::Result*, ViewpointParser::LayerInfo& layer, int paneIndex)
{
    if (LayerFactory(*timeline, layerOrigins).globalBand(layer, paneIndex, "duration"))
        return true;
    addError("Timeline: Global band layer could not be created due to unknown display format.");
    return false;
}

void TimelinePane::createTransitionLayers()
{
    LayerFactory factory(*timeline, layerOrigins);
    for (const LayerRecord& record : layerRecords)
        factory.transitions(record.layer, record.paneIndex);
}

} // namespace velmora_1_0
