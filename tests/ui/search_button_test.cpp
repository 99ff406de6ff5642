// SPDX-License-Identifier: MIT
// Presses of the search button against a device answering on loopback: the
// round's datagrams never leave 127.0.0.1.
#include "ui/main_form.h"

#include "discovery/packet.h"
#include "discovery/socket_handle.h"
#include "grid_test_support.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

using Discovery::DeviceGrid;
using UiTest::Column;
using UiTest::Reply;

namespace {

constexpr std::uint32_t kLoopback = INADDR_LOOPBACK;

std::uint16_t BoundPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

Discovery::SocketHandle LoopbackUdp(std::uint16_t port = 0)
{
    Discovery::SocketHandle s(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopback);
    address.sin_port = htons(port);
    EXPECT_EQ(bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    return s;
}

// A device on loopback: answers every query with one framed datagram of
// replies, sent to the round's reply port.
class LoopbackDevices {
public:
    LoopbackDevices(std::string plainReplies, std::uint16_t replyPort)
        : m_socket(LoopbackUdp()), m_framed(Discovery::FrameBytes(plainReplies)), m_replyPort(replyPort),
          m_thread([this] { Run(); })
    {
    }
    ~LoopbackDevices()
    {
        m_stop = true;
        m_thread.join();
    }
    std::uint16_t port() const { return BoundPort(m_socket.get()); }
    int queries() const { return m_queries; }
    std::string lastQuery() const { return m_lastQuery; }

private:
    void Run()
    {
        while (!m_stop) {
            pollfd p{m_socket.get(), POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            char buffer[2048];
            const ssize_t n = recv(m_socket.get(), buffer, sizeof buffer, 0);
            if (n <= 0)
                continue;
            m_lastQuery = Discovery::UnframeText(std::string_view(buffer, static_cast<std::size_t>(n)));
            ++m_queries;
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = htonl(kLoopback);
            to.sin_port = htons(m_replyPort);
            sendto(m_socket.get(), m_framed.data(), m_framed.size(), 0, reinterpret_cast<sockaddr*>(&to),
                   sizeof to);
        }
    }

    Discovery::SocketHandle m_socket;
    std::string m_framed;
    std::uint16_t m_replyPort;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_queries{0};
    std::string m_lastQuery; // read after the round, when the device is quiet
    std::thread m_thread;
};

// What Button1 looked like whenever it was painted.
class PaintWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* button = static_cast<QPushButton*>(watched);
            painted.push_back({button->text().toStdString(), button->isEnabled()});
        }
        return false;
    }
    std::vector<std::pair<std::string, bool>> painted;
};

class SearchButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A free reply port: bind one, note it, let it go for the round.
        replyPort = BoundPort(LoopbackUdp().get());
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
        label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    }

    void PressAgainst(std::uint16_t devicePort)
    {
        Discovery::NetworkEndpoints endpoints;
        endpoints.broadcastAddress = kLoopback;
        endpoints.devicePort = devicePort;
        endpoints.replyPort = replyPort;
        endpoints.replyBindAddress = kLoopback;
        endpoints.receiveBuffer = 0;
        endpoints.silence = std::chrono::milliseconds(100);
        form.setSearchEndpoints(endpoints);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    Gui::TMainForm form;
    QPushButton* button = nullptr;
    QLabel* label = nullptr;
    std::uint16_t replyPort = 0;
};

} // namespace

TEST_F(SearchButtonTest, RoundFillsGridSortedAndCountsDevices)
{
    LoopbackDevices devices(UiTest::Buffer({Reply("B", "10.0.0.1", "00:00:00:00:00:01"),
                                            Reply("a", "10.0.0.2", "00:00:00:00:00:02"),
                                            Reply("C", "10.0.0.3", "00:00:00:00:00:03")}),
                            replyPort);
    PaintWatcher watcher;
    button->installEventFilter(&watcher);
    PressAgainst(devices.port());
    button->removeEventFilter(&watcher);

    // Two passes, each answered; the repeats are dropped.
    EXPECT_EQ(devices.queries(), 2);
    EXPECT_EQ(devices.lastQuery(), std::string("Kestravon,00,????") + '\0');
    ASSERT_EQ(form.state().devices.size(), 3u);
    EXPECT_EQ(Column(form.state().grid, 0), (std::vector<std::string>{"C", "B", "a"}));
    EXPECT_EQ(label->text().toStdString(), "3 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");
    EXPECT_EQ(form.selectedRow(), 1);
    EXPECT_EQ(form.selectedColumn(), 1);
    EXPECT_FALSE(form.state().sortAscending);

    // The blocked window still showed the searching state.
    EXPECT_NE(std::find(watcher.painted.begin(), watcher.painted.end(),
                        std::make_pair(std::string("Searching..."), false)),
              watcher.painted.end());

    // After a round the first click on Model sorts ascending.
    auto* grid = form.findChild<QTableView*>(QStringLiteral("StringGrid1"));
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    EXPECT_EQ(Column(form.state().grid, 0), (std::vector<std::string>{"a", "B", "C"}));
}

TEST_F(SearchButtonTest, RoundThatFindsNothingEmptiesTheList)
{
    {
        LoopbackDevices devices(UiTest::Buffer({Reply("A", "10.0.0.1", "00:00:00:00:00:01")}), replyPort);
        PressAgainst(devices.port());
        ASSERT_EQ(form.state().devices.size(), 1u);
        EXPECT_EQ(label->text().toStdString(), "1 device(s) found!");
    }
    // Nobody answers now.
    const Discovery::SocketHandle silent = LoopbackUdp();
    form.StringGrid1SelectCell(0, 1);
    PressAgainst(BoundPort(silent.get()));
    EXPECT_TRUE(form.state().devices.empty());
    EXPECT_EQ(form.state().grid.gridRowCount(), 2); // one blank data row
    EXPECT_EQ(form.state().grid.cell(DeviceGrid::kIpColumn, 1), "");
    EXPECT_EQ(label->text().toStdString(), "0 device(s) found!");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text().toStdString(), "Quendrel");
}

TEST_F(SearchButtonTest, ProjectFilterTextReachesTheRound)
{
    LoopbackDevices devices(UiTest::Buffer({Reply("A", "10.0.0.1", "00:00:00:00:00:01", "80", "Orvane"),
                                            Reply("B", "10.0.0.2", "00:00:00:00:00:02", "80", "Mirkla")}),
                            replyPort);
    auto* proj = form.findChild<QComboBox*>(QStringLiteral("Proj"));
    proj->setEditText(QStringLiteral("Mirkla"));
    PressAgainst(devices.port());
    EXPECT_EQ(form.state().projectFilter, "Mirkla");
    EXPECT_EQ(form.state().devices.size(), 2u); // listed, but only one shown
    EXPECT_EQ(Column(form.state().grid, 0), (std::vector<std::string>{"B"}));
    EXPECT_EQ(label->text().toStdString(), "1 device(s) found!");
}
