// The streaming thread.
#include "audiere/src/streamer.h"

#include "audiere/src/output_stream.h"

#include <algorithm>
#include <chrono>

namespace audiere
{

Streamer& Streamer::Instance()
{
    // Never destroyed: a stream a program keeps until exit may still be registered then.
    static Streamer* instance = new Streamer;
    return *instance;
}

void Streamer::Add(Stream* stream)
{
    std::lock_guard<std::mutex> guard(lifecycle);
    std::lock_guard<std::mutex> lock(mutex);
    streams.push_back(stream);
    if (!thread.joinable())
    {
        quit = false;
        thread = std::thread([this] { Run(); });
    }
}

void Streamer::Remove(Stream* stream)
{
    std::lock_guard<std::mutex> guard(lifecycle);
    {
        std::lock_guard<std::mutex> lock(mutex);
        streams.erase(std::remove(streams.begin(), streams.end(), stream), streams.end());
        if (!streams.empty())
            return;
        quit = true;
    }
    wake.notify_one();
    if (thread.joinable())
        thread.join();
}

void Streamer::Run()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!quit)
    {
        for (Stream* stream : streams)
            stream->Service();
        wake.wait_for(lock, std::chrono::milliseconds(10));
    }
}

} // namespace audiere
