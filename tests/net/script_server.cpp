// The scripted server and the child processes of the network tests.
#include "net/script_server.h"

#include <arpa/inet.h>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace OvTest
{

namespace
{

bool WaitReadable(int fd, int milliseconds)
{
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, milliseconds) > 0;
}

// The request's header and its Content-Length body.
std::string ReadRequest(int fd)
{
    std::string text;
    char block[4096];
    size_t wanted = std::string::npos;
    while (text.size() < wanted && WaitReadable(fd, 5000))
    {
        const ssize_t got = ::recv(fd, block, sizeof block, 0);
        if (got <= 0)
            break;
        text.append(block, static_cast<size_t>(got));
        const size_t end = text.find("\r\n\r\n");
        if (end != std::string::npos && wanted == std::string::npos)
        {
            const size_t field = text.find("Content-Length: ");
            const size_t body =
                field < end ? std::strtoul(text.c_str() + field + 16, nullptr, 10) : 0;
            wanted = end + 4 + body;
        }
    }
    return text;
}

} // namespace

ScriptServer::ScriptServer(std::vector<ScriptStep> script) : script_(std::move(script))
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 4);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

ScriptServer::~ScriptServer()
{
    if (thread_.joinable())
        thread_.join();
    ::close(listener_);
}

std::string ScriptServer::Request()
{
    if (thread_.joinable())
        thread_.join();
    return request_;
}

void ScriptServer::Serve()
{
    if (!WaitReadable(listener_, 5000))
        return;
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    request_ = ReadRequest(fd);
    bool reset = false;
    for (const ScriptStep& step : script_)
    {
        if (step.kind == ScriptStep::Send)
            ::send(fd, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL);
        else if (step.kind == ScriptStep::Pause)
            std::this_thread::sleep_for(std::chrono::milliseconds(step.milliseconds));
        else
            reset = true;
    }
    if (reset)
    {
        const linger abort{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    else
    {
        ::shutdown(fd, SHUT_WR);
        // Drain what the client still sends so the close stays orderly.
        char block[256];
        while (WaitReadable(fd, 2000) && ::recv(fd, block, sizeof block, 0) > 0)
        {
        }
    }
    ::close(fd);
}

std::vector<ScriptStep> SendWhole(const std::string& response)
{
    return {{ScriptStep::Send, response}};
}

std::vector<ScriptStep> SendSplit(const std::string& response, size_t size, int pauseMs)
{
    std::vector<ScriptStep> script;
    for (size_t at = 0; at < response.size(); at += size)
    {
        if (at > 0)
            script.push_back({ScriptStep::Pause, "", pauseMs});
        script.push_back({ScriptStep::Send, response.substr(at, size)});
    }
    return script;
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0)
    {
        ::dup2(pipeEnds[1], 1);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0 && Exited() < 0)
    {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    if (output_ >= 0)
        ::close(output_);
}

std::string ChildProcess::ReadLine()
{
    std::string line;
    char c = 0;
    while (WaitReadable(output_, 10000) && ::read(output_, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

int ChildProcess::Exited()
{
    if (status_ >= 0 || pid_ <= 0)
        return status_;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_)
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return status_;
}

int OpenDescriptors()
{
    int count = 0;
    DIR* folder = ::opendir("/proc/self/fd");
    while (folder && ::readdir(folder))
        ++count;
    if (folder)
        ::closedir(folder);
    return count;
}

int InheritableDescriptors()
{
    int count = 0;
    for (int fd = 0; fd < 8192; ++fd)
    {
        const int flags = ::fcntl(fd, F_GETFD);
        count += flags >= 0 && !(flags & FD_CLOEXEC);
    }
    return count;
}

} // namespace OvTest
