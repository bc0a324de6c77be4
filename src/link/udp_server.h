#pragma once
// A UDP endpoint on all local IPv4 addresses that takes in every datagram
// and hands it to a callback; it sends nothing.

#include <atomic>
#include <netinet/in.h>
#include <thread>

class UdpServer {
public:
    // Called on the receive thread with each datagram (at most 2048 bytes;
    // longer ones are cut). The result is not used.
    using Callback = int (*)(char* data, int length);

    UdpServer();
    ~UdpServer();
    UdpServer(const UdpServer&) = delete;
    UdpServer& operator=(const UdpServer&) = delete;

    void SetCallback(Callback callback);
    // 0 when bound and receiving, -1 otherwise. Only the low 16 bits of the
    // port are used.
    int Start(int port);
    // Stops the receive thread and releases the socket; harmless when not running.
    int Stop();
    bool Running() const { return running != 0; }

private:
    void ReceiveThread();

    int socketHandle = -1;
    sockaddr_in address{};
    socklen_t addressLength = sizeof(sockaddr_in);
    std::atomic<int> running{0};
    std::thread receiveThread;
    std::atomic<Callback> callback{nullptr};
};
