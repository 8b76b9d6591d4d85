#include "WxTestMain.h"

#include <tarquel_1_0/DataProvider.h>
#include <tarquel_1_0/ProgramEnd.h>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

namespace chart_test {

namespace {

// A plain application: the tests create their windows themselves.
class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

std::atomic<ExpectAssertions*> expecting{nullptr};

void onAssertion(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg)
{
    if (ExpectAssertions* scope = expecting.load()) {
        scope->add();
        return;
    }
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func << ": " << cond << " " << msg;
}

} // namespace

ExpectAssertions::ExpectAssertions()
{
    expecting = this;
}

ExpectAssertions::~ExpectAssertions()
{
    expecting = nullptr;
}

void pumpPending()
{
    if (wxTheApp) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const wxStopWatch clock;
    while (!condition()) {
        if (clock.Time() > timeoutMs)
            return condition();
        pumpPending();
        // Let the worker threads run between rounds instead of spinning on the lock.
        wxMicroSleep(100);
    }
    return true;
}

} // namespace chart_test

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new chart_test::TestApp); // wx owns the application object
    if (!wxEntryStart(argc, argv))
        return 2;
    wxTheApp->CallOnInit();
    wxSetAssertHandler(chart_test::onAssertion);
    const int result = RUN_ALL_TESTS();
    wxTheApp->ProcessPendingEvents();
    tarquel_1_0::DataProvider::waitForEndingWorkers(30000);
    wxTheApp->OnExit();
    wxEntryCleanup();
    tarquel_1_0::ProgramEnd::now(result);
}
