#pragma once
// The check at the top of every entry point that only the user-interface thread may call
// (requests, consumes and clears of providers, the timeline's operations, the calls into
// layers). It is a wx assertion, active in every build: the application's assertion handler
// reports a call from another thread, and the tests turn it into a failure.
#include <wx/debug.h>
#include <wx/thread.h>

#define TARQUEL_UI_THREAD_ONLY() wxASSERT_MSG(wxIsMainThread(), "called off the user-interface thread")
