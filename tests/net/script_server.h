// Test peers that are not our endpoint: a scripted HTTP server on 127.0.0.1 that plays one
// response exactly as written (split, slowed, cut short, reset), and a child process runner
// for the Python servers and clients.
#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace OvTest
{

struct ScriptStep
{
    enum Kind
    {
        Send,
        Pause, // milliseconds
        Reset, // close with a reset (SO_LINGER 0)
    } kind;
    std::string bytes;
    int milliseconds = 0;
};

// Serves one connection on an ephemeral port of 127.0.0.1: reads the request (through its
// Content-Length body), plays the script, closes.
class ScriptServer
{
  public:
    explicit ScriptServer(std::vector<ScriptStep> script);
    ~ScriptServer();
    uint16_t Port() const { return port_; }
    // The request as it arrived; waits for the server to finish.
    std::string Request();

  private:
    void Serve();

    std::vector<ScriptStep> script_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::string request_;
    std::thread thread_;
};

// The response sent in one block, or split: every `size` bytes a block with a pause between.
std::vector<ScriptStep> SendWhole(const std::string& response);
std::vector<ScriptStep> SendSplit(const std::string& response, size_t size, int pauseMs);

// A child process with its standard output on a pipe.
class ChildProcess
{
  public:
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess(); // stops it (SIGTERM) if it still runs
    std::string ReadLine();
    // The exit code once it ended, -1 while it runs (never waits).
    int Exited();

  private:
    int pid_ = -1;
    int output_ = -1;
    int status_ = -1;
};

// Descriptors this process holds (/proc/self/fd).
int OpenDescriptors();
// Descriptors of this process that an exec would pass on (not close-on-exec).
int InheritableDescriptors();

} // namespace OvTest
