#pragma once

#include <functional>

namespace bench_support {

// Which wx events a pump handles: queued ones only (data-ready notices), or also the windowing
// system's (showing, painting), which costs more per turn.
enum class PumpedEvents { Queued, QueuedAndWindow };

// Runs the wx event loop on the calling (UI) thread until `done` returns true or `timeoutMs`
// passes; returns whether `done` held, so a benchmark can skip instead of hanging.
bool pumpEventsUntil(const std::function<bool()>& done, PumpedEvents events = PumpedEvents::Queued,
                     long timeoutMs = 20000);

} // namespace bench_support
