// The library's one thread: while any stream exists it services every stream about every
// 10 ms (refilling played buffers, restarting a source that ran dry), and it ends when the
// last stream goes. Streams register when they open and leave before they are destroyed;
// leaving waits for a pass in progress, so the thread never touches a destroyed stream.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace audiere
{

class Stream;

class Streamer
{
  public:
    static Streamer& Instance();

    void Add(Stream* stream);
    void Remove(Stream* stream);

  private:
    Streamer() = default;
    void Run();

    // Held across a whole Add or Remove, the thread's start and join included.
    std::mutex lifecycle;
    // Guards the list and the quit flag; the thread holds it during a pass.
    std::mutex mutex;
    std::condition_variable wake;
    std::vector<Stream*> streams;
    bool quit = false;
    std::thread thread;
};

} // namespace audiere
