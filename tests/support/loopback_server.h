#pragma once

#include <httplib.h>
#include <thread>

namespace kestrum::test {

// Serves on 127.0.0.1, on a free port, while it lives.
struct Listening {
    explicit Listening(httplib::Server& server)
        : server(server), port(server.bind_to_any_port("127.0.0.1")),
          thread([&server] { server.listen_after_bind(); }) {}
    ~Listening() {
        server.stop();
        thread.join();
    }
    httplib::Server& server;
    int port;
    std::thread thread;
};

} // namespace kestrum::test
