// velmora-viewer: shows an analysis result in a timeline pane, takes screenshots of it, checks
// viewpoints (lint), writes synthetic results (generate) and imports trace files (import). See
// CommandLine.h for the usage.
#include "CommandLine.h"
#include "TraceImporter.h"
#include "ViewerApp.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <tarquel_1_0/ProgramEnd.h>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>

wxIMPLEMENT_APP_NO_MAIN(velmora_viewer::ViewerApp);

namespace {

// Neither generate nor import overwrites a result someone may still want.
bool holdsResult(const std::filesystem::path& directory)
{
    std::error_code code;
    if (!std::filesystem::exists(directory / "result.sqlite", code))
        return false;
    std::cerr << "velmora-viewer: " << directory.string() << " already holds a result; not overwritten\n";
    return true;
}

int generate(const velmora_viewer::ViewerOptions& options)
{
    if (holdsResult(options.result))
        return 1;
    const auto status = dd_sarvik_2_2::store::ResultGenerator(options.generator).writeTo(options.result);
    if (!status.ok()) {
        std::cerr << "velmora-viewer: cannot generate the result: " << std::filesystem::path(status.message).string()
                  << '\n';
        return 1;
    }
    std::cout << options.result.string() << std::endl;
    return 0;
}

int import(const velmora_viewer::ViewerOptions& options)
{
    if (holdsResult(options.result))
        return 1;
    velmora_import::TraceImporter importer(velmora_import::TraceImporter::printer(options.trace));
    std::string error;
    const bool imported = importer.importTo(options.trace, options.result, error);
    importer.printNotes();
    if (!imported) {
        std::cerr << "velmora-viewer: " << error << '\n';
        return 1;
    }
    std::cout << options.result.string() << std::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Past a file size limit a write should fail and be reported like a full disk, which
    // removes what was half written, instead of killing the program mid-write.
    std::signal(SIGXFSZ, SIG_IGN);
    using velmora_viewer::ViewerOptions;
    ViewerOptions options;
    std::string error;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" || std::string(argv[1]) == "help")) {
        std::cout << velmora_viewer::CommandLine::usage();
        return 0;
    }
    if (!velmora_viewer::CommandLine().parse({argv + 1, argv + argc}, options, error)) {
        std::cerr << "velmora-viewer: " << error << '\n' << velmora_viewer::CommandLine::usage();
        return 2;
    }
    if (options.command == ViewerOptions::Command::generate)
        return generate(options);
    if (options.command == ViewerOptions::Command::import)
        return import(options);

    int wxArgc = 1; // our options are ours; the toolkit sees only the program name
    if (!wxEntryStart(wxArgc, argv)) {
        std::cerr << "velmora-viewer: cannot start the window system (no display? try xvfb-run)\n";
        return 1;
    }
    int exitCode = 1;
    if (wxTheApp->CallOnInit()) {
        auto& app = ::wxGetApp();
        exitCode = options.command == ViewerOptions::Command::lint ? app.runLint(options) : app.runView(options);
        app.OnExit();
    }
    wxEntryCleanup();
    tarquel_1_0::ProgramEnd::now(exitCode);
}
