#include "ViewerProgram.h"

#include "ScratchDirectory.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace viewer_test {

namespace fs = std::filesystem;

namespace {

ProgramRun runCommand(const std::string& command)
{
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, read);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::string viewerCommand(const std::string& arguments)
{
    return std::string("'") + VELMORA_VIEWER_PATH + "' " + arguments + " 2>&1";
}

} // namespace

std::string quoted(const std::filesystem::path& path)
{
    return "'" + path.string() + "'";
}

ProgramRun runViewer(const std::string& arguments)
{
    return runCommand(viewerCommand(arguments));
}

std::vector<ProgramRun> runViewers(const std::vector<std::string>& argumentLists)
{
    std::string made = (scratchDirectory() / "batchXXXXXX").string();
    const fs::path folder = ::mkdtemp(made.data());
    const auto outputOf = [&](std::size_t i) { return folder / std::to_string(i); };
    std::string script;
    for (std::size_t i = 0; i < argumentLists.size(); ++i)
        script += "((" + viewerCommand(argumentLists[i]) + ") > '" + outputOf(i).string() + "'; echo $? > '" +
                  outputOf(i).string() + ".exit') & ";
    runCommand(script + "wait");
    std::vector<ProgramRun> runs(argumentLists.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        std::ifstream output(outputOf(i), std::ios::binary);
        runs[i].output.assign(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>());
        std::ifstream(outputOf(i).string() + ".exit") >> runs[i].exitCode;
    }
    return runs;
}

ProgramRun runViewerWithFileLimit(const std::string& arguments, int kilobytes)
{
    return runCommand("ulimit -f " + std::to_string(kilobytes) + " && exec " + viewerCommand(arguments));
}

fs::path scratchDirectory()
{
    static const fs::path directory = sharedScratchDirectory("velmora_viewer_test");
    return directory;
}

dd_sarvik_2_2::store::GeneratorOptions sampleOptions()
{
    dd_sarvik_2_2::store::GeneratorOptions options;
    options.threads = 6;
    options.samples = 20000;
    options.markers = 300;
    options.transitions = 200;
    options.globalMarkers = 40;
    return options;
}

const fs::path& sampleResult()
{
    static const fs::path result = [] {
        const fs::path made = scratchDirectory() / "result";
        const auto options = sampleOptions();
        runViewer("generate '" + made.string() + "' --threads " + std::to_string(options.threads) + " --samples " +
                  std::to_string(options.samples) + " --markers " + std::to_string(options.markers) +
                  " --transitions " + std::to_string(options.transitions) + " --global-markers " +
                  std::to_string(options.globalMarkers));
        return made;
    }();
    return result;
}

const fs::path& largeResult()
{
    static const fs::path result = [] {
        const fs::path made = scratchDirectory() / "large";
        // The sample's shape, on as many threads as a large recording has.
        dd_sarvik_2_2::store::GeneratorOptions options = sampleOptions();
        options.threads = 12000;
        options.samples = 120000;
        EXPECT_TRUE(dd_sarvik_2_2::store::ResultGenerator(options).writeTo(made).ok());
        return made;
    }();
    return result;
}

} // namespace viewer_test
