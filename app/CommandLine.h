#pragma once
// The viewer's command line, parsed into plain options before any window exists so that a
// mistake ends with a usage message and exit code 2 instead of a half-built window.
//
//   velmora-viewer view [RESULT_DIR|TRACE.json] [--viewpoint NAME] [--screenshot FILE.png] [--timeout SECONDS]
//                  [--print-layout]
//   velmora-viewer lint [RESULT_DIR|TRACE.json] [--viewpoint NAME]
//   velmora-viewer generate OUTPUT_DIR [--threads N] [--samples N] [--markers N]
//                  [--transitions N] [--global-markers N] [--duration-ms N] [--seed N]
//   velmora-viewer import TRACE.json OUTPUT_DIR
#include <dd_sarvik_2_2/store/GeneratorOptions.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora_viewer {

struct ViewerOptions {
    enum class Command { view, lint, generate, import };
    Command command = Command::view;
    std::filesystem::path result;     // empty: the cached sample result; a file: a trace to show
    std::filesystem::path trace;      // import: the trace file read
    std::string viewpoint = "default"; // a bundled viewpoint name or a path to an XML file
    std::filesystem::path screenshot; // empty: interactive window
    int timeoutSeconds = 600;         // screenshot bound on loading
    bool printLayout = false;         // with a screenshot: where rows and times lie on it
    dd_sarvik_2_2::store::GeneratorOptions generator;
};

class CommandLine {
public:
    // False with `error` set when the arguments are not understood.
    bool parse(const std::vector<std::string>& arguments, ViewerOptions& options, std::string& error) const;
    static std::string usage();
};

} // namespace velmora_viewer
