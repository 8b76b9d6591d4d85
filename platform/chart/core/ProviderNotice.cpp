#include <tarquel_1_0/ProviderNotice.h>

namespace tarquel_1_0 {

wxDEFINE_EVENT(EVT_PROVIDER_DATA_READY, wxThreadEvent);
wxDEFINE_EVENT(EVT_PROVIDER_PROGRESS, wxThreadEvent);
wxDEFINE_EVENT(EVT_PROVIDER_FAILURE, wxThreadEvent);

// Payloads are stored and read inside this library only, so their type identity never has to
// match across library boundaries.
ProviderNotice noticeOf(const wxThreadEvent& event)
{
    return event.GetPayload<ProviderNotice>();
}

} // namespace tarquel_1_0
