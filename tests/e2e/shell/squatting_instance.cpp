// What another user of the machine would plant where Pointilla keeps its
// single-instance lock and socket: it holds LOCK (as a running Pointilla would),
// listens on SOCKET, answers every request as Pointilla does and appends the
// request to RECORD, so a test sees whether a file's path was handed to it.
//   squatting_instance LOCK SOCKET RECORD
// Prints "ready" once it listens; runs until it is ended.

#include <QCoreApplication>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: squatting_instance LOCK SOCKET RECORD\n");
        return 2;
    }
    QLockFile lock(args[1]);
    if (!lock.tryLock(0)) {
        std::fprintf(stderr, "squatting_instance: cannot take %s\n", qPrintable(args[1]));
        return 1;
    }
    QLocalServer server;
    server.setSocketOptions(QLocalServer::WorldAccessOption);
    if (!server.listen(args[2])) {
        std::fprintf(stderr, "squatting_instance: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    const QString& record = args[3];
    QObject::connect(&server, &QLocalServer::newConnection, [&server, record] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [socket, record] {
                if (!socket->canReadLine()) return;
                QFile out(record);
                if (out.open(QIODevice::Append)) out.write(socket->readLine());
                socket->write("ok\n");
                socket->flush();
                socket->disconnectFromServer();
            });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}
