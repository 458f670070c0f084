// Main of the network tests: the event loop of Qt Core alone, which is all the sockets need.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    int result = RUN_ALL_TESTS();
    // Objects whose deletion was deferred by the last test go now, not with the process, so the
    // leak check sees only what was really lost.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    return result;
}
