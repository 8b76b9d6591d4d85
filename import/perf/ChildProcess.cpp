#include "perf/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora_import {

namespace {

std::string readAll(int descriptor)
{
    std::string text;
    if (::lseek(descriptor, 0, SEEK_SET) < 0)
        return text;
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        text.append(chunk, static_cast<std::size_t>(count));
    }
    return text;
}

// A temporary file that no one else can open and that vanishes when closed.
int temporaryFile()
{
    char name[] = "/tmp/velmora-child-XXXXXX";
    const int descriptor = ::mkostemp(name, O_CLOEXEC);
    if (descriptor >= 0)
        ::unlink(name);
    return descriptor;
}

} // namespace

ChildProcess::~ChildProcess()
{
    stop();
}

bool ChildProcess::start(const std::vector<std::string>& arguments, std::string& error, bool& missing)
{
    missing = false;
    int pipe[2] = {-1, -1};
    m_errors = temporaryFile();
    if (m_errors < 0 || ::pipe2(pipe, O_CLOEXEC) != 0) {
        error = std::string("cannot start ") + arguments[0] + ": " + std::strerror(errno);
        stop();
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, m_errors, 2);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failed = ::posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    m_output = pipe[0];
    if (failed != 0) {
        m_pid = -1;
        missing = failed == ENOENT;
        error = std::string("cannot start ") + arguments[0] + ": " + std::strerror(failed);
        stop();
        return false;
    }
    return true;
}

bool ChildProcess::finish(std::string& error, std::string& messages)
{
    if (m_output >= 0) {
        ::close(m_output); // a child still writing gets SIGPIPE rather than blocking
        m_output = -1;
    }
    int status = 0;
    while (m_pid > 0 && ::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    messages = m_errors >= 0 ? readAll(m_errors) : std::string();
    if (m_errors >= 0)
        ::close(m_errors);
    m_errors = -1;
    while (!messages.empty() && (messages.back() == '\n' || messages.back() == ' '))
        messages.pop_back();
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    error = WIFSIGNALED(status) ? "ended by signal " + std::to_string(WTERMSIG(status))
                                : "failed with exit code " + std::to_string(WEXITSTATUS(status));
    if (!messages.empty())
        error += ": " + messages;
    return false;
}

void ChildProcess::stop()
{
    if (m_output >= 0)
        ::close(m_output);
    m_output = -1;
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    m_pid = -1;
    if (m_errors >= 0)
        ::close(m_errors);
    m_errors = -1;
}

} // namespace velmora_import
