// A chat room in one process: a server endpoint relays every line a client sends to all the
// other clients (a send to all but the sender), and three client endpoints take turns
// talking for a few seconds, then leave one by one; the server reports each arrival and
// departure. The endpoints live in the application's registry, so one poll of the registry
// a frame serves them all, as the scene step does. Usage: net_chat [port]
#include "app/ov_application.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace OvCore;

namespace
{

std::string TextOf(const ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

bool Arrived(NetEndpoint* server, SocketHandle)
{
    std::printf("server: a client joined (%zu in the room)\n", server->clients.size());
    return true;
}

void Relay(NetEndpoint* server, SocketHandle sender, ByteBuffer* line)
{
    SendRequest request;
    request.buffer.Write(line->start, line->count);
    request.target = sender;
    request.allButTarget = true;
    server->Send(request);
}

void Left(NetEndpoint* server, SocketHandle)
{
    std::printf("server: a client left (%zu in the room)\n", server->clients.size());
}

void Heard(NetEndpoint* client, ByteBuffer* line)
{
    const char* name = "?";
    for (auto entry : Application().endpoints)
        if (&*entry == client)
            name = entry.Name();
    std::printf("%s hears: %s", name, TextOf(*line).c_str());
}

void Say(NetEndpoint& client, const std::string& text)
{
    SendRequest request;
    request.buffer.WriteString(text.c_str(), false);
    client.Send(request);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const int port = commandLine && *commandLine ? std::atoi(commandLine) : 0;
    NetStartup();
    OV_APPLICATION& app = Application();
    NetEndpoint& server = *app.endpoints.Append("server");
    server.OnAccept = Arrived;
    server.OnServerReceive = Relay;
    server.OnServerDisconnect = Left;
    if (!server.Listen(static_cast<uint16_t>(port), 16))
    {
        std::fprintf(stderr, "net_chat: cannot listen on port %d\n", port);
        return 0;
    }
    std::printf("server: listening on port %u\n", server.LocalPort());
    const char* names[] = {"ada", "bo", "cy"};
    for (const char* name : names)
    {
        NetEndpoint& client = *app.endpoints.Append(name);
        client.OnClientReceive = Heard;
        if (!client.Connect("127.0.0.1", server.LocalPort()))
            std::fprintf(stderr, "net_chat: %s cannot connect\n", name);
    }
    for (int frame = 0; frame < 300; ++frame)
    {
        app.PollEndpoints(); // the scene step's network pass
        if (frame % 60 == 30 && frame / 60 < 3)
        {
            const char* name = names[frame / 60];
            Say(*app.endpoints.Get(name), std::string(name) + ": hello, room\n");
        }
        if (frame >= 240 && frame % 20 == 0 && (frame - 240) / 20 < 3)
            app.endpoints.Get(names[(frame - 240) / 20])->Close();
        Sleep(16);
    }
    app.ReleaseAll();
    NetShutdown();
    return 1;
}
