#include "link/udp_server.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

UdpServer::UdpServer() = default;

UdpServer::~UdpServer() { Stop(); }

void UdpServer::SetCallback(Callback newCallback) { callback = newCallback; }

int UdpServer::Start(int port)
{
    Stop();
    socketHandle = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    address = sockaddr_in{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port & 0xFFFF));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    running = 0;
    if (socketHandle < 0 ||
        bind(socketHandle, reinterpret_cast<const sockaddr*>(&address), addressLength) != 0) {
        if (socketHandle >= 0)
            close(socketHandle);
        socketHandle = -1;
        return -1;
    }
    running = 1;
    receiveThread = std::thread(&UdpServer::ReceiveThread, this);
    return 0;
}

int UdpServer::Stop()
{
    running = 0;
    if (socketHandle < 0)
        return 0;
    // A plain close does not wake a thread blocked in recvfrom; shutdown does.
    shutdown(socketHandle, SHUT_RDWR);
    if (receiveThread.joinable())
        receiveThread.join();
    const int result = close(socketHandle);
    socketHandle = -1;
    return result;
}

void UdpServer::ReceiveThread()
{
    char buffer[2048];
    sockaddr_in sender{};
    while (running) {
        socklen_t senderLength = sizeof sender;
        const ssize_t length = recvfrom(socketHandle, buffer, sizeof buffer, 0,
                                        reinterpret_cast<sockaddr*>(&sender), &senderLength);
        if (length < 0 && errno == EINTR)
            continue;
        // An empty datagram reads as 0 bytes, like a socket shut down by
        // Stop: only the running flag tells them apart. Anyone on the
        // network can send one, so it must not end the thread.
        if (length < 0 || (length == 0 && !running))
            break;
        if (length > 0)
            if (Callback deliver = callback)
                deliver(buffer, static_cast<int>(length));
    }
}
