#include "support/http_get.h"

#include <QByteArray>
#include <QTcpSocket>

namespace testsupport {

std::string httpGet(int port, const std::string& target) {
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", static_cast<quint16>(port));
    if (!socket.waitForConnected(3000)) return {};
    socket.write(QByteArray::fromStdString("GET " + target + " HTTP/1.1\r\nHost: stage\r\n\r\n"));
    QByteArray reply;
    while (socket.waitForReadyRead(3000)) reply += socket.readAll();
    return reply.toStdString();
}

}  // namespace testsupport
