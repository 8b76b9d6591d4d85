// The entry point of benchmarks that draw or pump wx events: the application object exists and
// its event loop machinery is set up before the first benchmark runs, and is torn down after the
// last, so benchmarks never start wx themselves.
#include <benchmark/benchmark.h>

#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>

namespace {

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new BenchApp); // wx owns the application object
    if (!wxEntryStart(argc, argv)) {
        std::fputs("cannot start wx: no display?\n", stderr);
        return 2;
    }
    wxTheApp->CallOnInit();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
