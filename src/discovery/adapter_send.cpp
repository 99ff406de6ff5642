// SPDX-License-Identifier: MIT
#include "discovery/adapter_send.h"

#include <sys/socket.h>
#include <sys/uio.h>

#include <cstring>

namespace Discovery {

ssize_t SendThroughAdapter(int socket, const sockaddr_in& to, std::string_view bytes, const NetworkInterface* via)
{
    iovec data{const_cast<char*>(bytes.data()), bytes.size()};
    msghdr message{};
    message.msg_name = const_cast<sockaddr_in*>(&to);
    message.msg_namelen = sizeof to;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(in_pktinfo))] = {};
    if (via != nullptr) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = static_cast<int>(via->index);
        info.ipi_spec_dst.s_addr = htonl(via->address);
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    return ::sendmsg(socket, &message, 0);
}

} // namespace Discovery
