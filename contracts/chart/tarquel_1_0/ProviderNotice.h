#pragma once
// What a provider tells the user-interface thread: data for a layer is ready, or a query of a
// layer made progress. Carried as the payload of a wxThreadEvent of type EVT_PROVIDER_DATA_READY
// or EVT_PROVIDER_PROGRESS, posted to the sink a timeline installed on the provider
// (DataProvider::setNotificationSink). Both pointers are keys: the receiver looks them up among
// the providers and layers it still holds before touching either (see DataProvider).
#include <chart_export.h>

#include <wx/event.h>

namespace tarquel_1_0 {

class DataProvider;
class GraphLayer;

struct ProviderNotice {
    DataProvider* provider = nullptr;
    GraphLayer* layer = nullptr; // null: the notice concerns the provider as a whole
    int percent = 0;             // progress notices only, 0 to 100
};

// Reads the notice of an event of either type.
TARQUEL_API ProviderNotice noticeOf(const wxThreadEvent& event);

wxDECLARE_EXPORTED_EVENT(TARQUEL_API, EVT_PROVIDER_DATA_READY, wxThreadEvent);
wxDECLARE_EXPORTED_EVENT(TARQUEL_API, EVT_PROVIDER_PROGRESS, wxThreadEvent);

} // namespace tarquel_1_0
