#include "support/EventPump.h"

#include <wx/app.h>
#include <wx/stopwatch.h>

namespace bench_support {

bool pumpEventsUntil(const std::function<bool()>& done, PumpedEvents events, long timeoutMs)
{
    const wxStopWatch clock;
    while (!done()) {
        if (clock.Time() >= timeoutMs)
            return false;
        wxTheApp->ProcessPendingEvents();
        if (events == PumpedEvents::QueuedAndWindow)
            wxTheApp->Yield(true);
    }
    return true;
}

} // namespace bench_support
