#pragma once
// What a provider tells the user-interface thread: data for a layer is ready, or a query of a
// layer made progress, or a request failed. Carried as the payload of a wxThreadEvent of type
// EVT_PROVIDER_DATA_READY, EVT_PROVIDER_PROGRESS or EVT_PROVIDER_FAILURE, posted to the sink a timeline installed on the provider
// (DataProvider::setNotificationSink). Both pointers are keys: the receiver looks them up among
// the providers and layers it still holds before touching either (see DataProvider), and matches
// the provider's serial too, since a new provider may be given the address of an ended one.
#include <chart_export.h>

#include <cstdint>

#include <wx/event.h>

namespace tarquel_1_0 {

class DataProvider;
class GraphLayer;

struct ProviderNotice {
    DataProvider* provider = nullptr;
    GraphLayer* layer = nullptr; // null: the notice concerns the provider as a whole
    int percent = 0;             // progress notices only, 0 to 100
    std::uint64_t serial = 0;    // the provider's DataProvider::getSerial()
};

// Reads the notice of an event of either type.
TARQUEL_API ProviderNotice noticeOf(const wxThreadEvent& event);

wxDECLARE_EXPORTED_EVENT(TARQUEL_API, EVT_PROVIDER_DATA_READY, wxThreadEvent);
wxDECLARE_EXPORTED_EVENT(TARQUEL_API, EVT_PROVIDER_PROGRESS, wxThreadEvent);
// A request failed; the event's string says why, empty when nothing told (the notice's layer is
// the request's).
wxDECLARE_EXPORTED_EVENT(TARQUEL_API, EVT_PROVIDER_FAILURE, wxThreadEvent);

} // namespace tarquel_1_0
