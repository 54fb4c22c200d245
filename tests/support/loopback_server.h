#pragma once

#include <atomic>
#include <chrono>
#include <httplib.h>
#include <thread>

namespace kestrum::test {

// Serves on 127.0.0.1, on a free port, while it lives.
struct Listening {
    explicit Listening(httplib::Server& server)
        : server(server), port(server.bind_to_any_port("127.0.0.1")), thread([this] {
              this->server.listen_after_bind();
              ended = true;
          }) {
        // This httplib loses a stop() that comes before its loop has started,
        // and the loop then serves for ever: wait until it runs.
        while (!server.is_running() && !ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~Listening() {
        server.stop();
        thread.join();
    }
    httplib::Server& server;
    int port;
    std::atomic<bool> ended{false};
    std::thread thread;
};

} // namespace kestrum::test
