#pragma once
// Runs a program as a child process whose standard output this process reads through a pipe;
// its standard error goes to a temporary file (read after it ends, so a chatty child can never
// block on a full pipe nobody reads), its standard input is /dev/null. A child still running when
// the object goes away (a canceled read) is terminated and reaped.
//
//   ChildProcess child;
//   if (!child.start({"perf", "script", ...}, error)) ...;   // error names a missing program
//   read(child.output(), ...);
//   if (!child.finish(error)) ...;                          // error: what it wrote on stderr
#include <string>
#include <sys/types.h>
#include <vector>

namespace velmora_import {

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts `arguments[0]`, looked up on PATH. False with `error`; `missing` tells that the
    // program is not there at all.
    bool start(const std::vector<std::string>& arguments, std::string& error, bool& missing);
    // The read end of the child's standard output.
    int output() const { return m_output; }
    // Waits for the child to end; false with `error` (its standard error, trimmed) when it
    // failed. `messages` gets its standard error either way.
    bool finish(std::string& error, std::string& messages);

private:
    void stop();

    pid_t m_pid = -1;
    int m_output = -1;
    int m_errors = -1;
};

} // namespace velmora_import
