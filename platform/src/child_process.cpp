// posix_spawnp with standard input from /dev/null, standard output piped (or dropped), and a
// poll loop bounded by the time limit.
#include "child_process.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace OvPlatform
{

namespace
{

long NowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return long(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

int Reap(pid_t child, bool kill)
{
    if (kill)
        ::kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// Reads the child's output until it closes or the deadline passes; false on time-out.
bool Drain(int fd, long deadline, std::string* output)
{
    char chunk[4096];
    for (;;)
    {
        long left = deadline - NowMilliseconds();
        if (left <= 0)
            return false;
        pollfd wait{fd, POLLIN, 0};
        int ready = poll(&wait, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return ready == 0 ? false : true;
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return true;
        if (output->size() < kChildMaxOutput)
            output->append(chunk, size_t(n));
    }
}

// Waits for the child's exit until the deadline; false on time-out.
bool WaitExit(pid_t child, long deadline, int* code)
{
    for (;;)
    {
        int status = 0;
        pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child)
        {
            *code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
            return true;
        }
        if (done < 0 && errno != EINTR)
            return true;
        if (NowMilliseconds() >= deadline)
            return false;
        usleep(2000);
    }
}

} // namespace

ChildResult RunChild(const std::vector<std::string>& argv, int timeoutMilliseconds,
                     bool captureOutput)
{
    ChildResult result;
    if (argv.empty())
        return result;
    int pipeEnds[2] = {-1, -1};
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput)
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t child = 0;
    int error = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (error != 0)
    {
        close(pipeEnds[0]);
        return result;
    }
    result.started = true;
    long deadline = NowMilliseconds() + timeoutMilliseconds;
    bool inTime = Drain(pipeEnds[0], deadline, &result.output);
    close(pipeEnds[0]);
    inTime = inTime && WaitExit(child, deadline, &result.exitCode);
    if (!inTime)
    {
        result.timedOut = true;
        result.exitCode = Reap(child, true);
    }
    return result;
}

} // namespace OvPlatform
