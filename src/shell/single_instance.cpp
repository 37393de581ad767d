#include "shell/single_instance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <optional>

namespace pointilla::shell {

namespace {

// One request a connection, one line: "show", or "open " and the file's path
// as base64 of its UTF-8 (a path may hold any byte but NUL). The first
// program answers "ok" once it has the request.
constexpr char kShow[] = "show";
constexpr char kOpen[] = "open ";
constexpr char kAnswer[] = "ok\n";
constexpr int kHandOverWaitMs = 5000;

QString baseName(const QString& display) {
    QString safe = display.isEmpty() ? QStringLiteral("nodisplay") : display;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("pointilla-%1-%2").arg(::getuid()).arg(safe);
}

QByteArray requestLine(const QString& fileToOpen) {
    if (fileToOpen.isEmpty()) return QByteArray(kShow) + '\n';
    return QByteArray(kOpen) + fileToOpen.toUtf8().toBase64() + '\n';
}

// The file of a request line; std::nullopt for a line that is no request.
std::optional<QString> parseRequest(QByteArray line) {
    line = line.trimmed();
    if (line == kShow) return QString();
    if (!line.startsWith(kOpen)) return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(line.mid(int(sizeof(kOpen)) - 1),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty()) return std::nullopt;
    return QString::fromUtf8(decoded.decoded);
}

}  // namespace

SingleInstance::SingleInstance(QString runtimeFolder, const QString& display, QObject* parent)
    : QObject(parent),
      socketPath_(QDir(runtimeFolder).filePath(baseName(display))),
      lock_(socketPath_ + QStringLiteral(".lock")) {
    lock_.setStaleLockTime(0);  // stale only when its program is gone
}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

QString SingleInstance::defaultRuntimeFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists()) {
        return QString::fromLocal8Bit(runtime);
    }
    return QDir::tempPath();
}

SingleInstance::Role SingleInstance::claim(const QString& fileToOpen) {
    if (!lock_.tryLock(0)) {
        // The holder may still be starting: give it time to listen.
        return handOver(fileToOpen) ? Role::HandedOver : Role::Failed;
    }
    // We hold the lock, so a socket left behind belongs to a program that died.
    QLocalServer::removeServer(socketPath_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptRequests);
    if (!server_->listen(socketPath_)) {
        // Later starts cannot reach us, but the lock still keeps them from
        // running a second window: they end with a message.
        qWarning("Pointilla : %s", qPrintable(server_->errorString()));
    }
    return Role::First;
}

bool SingleInstance::handOver(const QString& fileToOpen) {
    const QDeadlineTimer deadline(kHandOverWaitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (!socket.waitForConnected(500)) {
            QThread::msleep(100);
            continue;
        }
        socket.write(requestLine(fileToOpen));
        while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
               !deadline.hasExpired()) {
            socket.waitForReadyRead(100);
        }
        return socket.readLine() == kAnswer;
    }
    return false;
}

void SingleInstance::acceptRequests() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                // A line longer than any path is no request.
                if (socket->bytesAvailable() > 64 * 1024) socket->abort();
                return;
            }
            const std::optional<QString> file = parseRequest(socket->readLine());
            if (!file) {
                socket->abort();
                return;
            }
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
            emit activationRequested(*file);
        });
    }
}

}  // namespace pointilla::shell
