#include "shell/single_instance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <filesystem>
#include <optional>
#include <utility>

#include "platform/posix/local_user.h"

namespace pointilla::shell {

namespace {

namespace posix = platform::posix;
using Kind = SingleInstanceRefusal::Kind;

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

std::filesystem::path nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The user owning the file, when it is not this user; std::nullopt for none.
std::optional<uid_t> otherOwner(const QString& file) {
    const std::optional<uid_t> owner = posix::ownerOf(nativePath(file));
    if (!owner || *owner == ::getuid()) return std::nullopt;
    return owner;
}

bool fromThisUser(const QLocalSocket& socket) {
    return posix::peerUserId(int(socket.socketDescriptor())) == ::getuid();
}

}  // namespace

SingleInstance::SingleInstance(QString runtimeFolder, const QString& display, QObject* parent)
    : QObject(parent),
      folder_(std::move(runtimeFolder)),
      socketPath_(QDir(folder_).filePath(baseName(display))),
      lock_(socketPath_ + QStringLiteral(".lock")) {
    lock_.setStaleLockTime(0);  // stale only when its program is gone
}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

QString SingleInstance::defaultRuntimeFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && posix::isPrivateFolder(runtime.toStdString())) {
        return QFile::decodeName(runtime);
    }
    // A shared temporary folder lets anyone take a fixed name first: a folder
    // of our own, as the toolkit's runtime location falls back to.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("pointilla-%1").arg(::getuid()));
}

SingleInstance::Role SingleInstance::alone(Kind kind, const QString& path, unsigned owner,
                                           int systemError) {
    refusal_ = {kind, path.toStdString(), owner, systemError};
    return Role::Alone;
}

SingleInstance::Role SingleInstance::claim(const QString& fileToOpen) {
    // Another user's folder, lock or socket is neither obeyed nor removed.
    if (auto made = posix::makePrivateFolder(nativePath(folder_)); !made) {
        const posix::PrivateFolderError& error = made.error();
        switch (error.kind) {
            case posix::PrivateFolderError::Kind::OwnedByAnother:
                return alone(Kind::FolderOfAnotherUser, folder_, error.owner);
            case posix::PrivateFolderError::Kind::NotAFolder:
                return alone(Kind::FolderNotAFolder, folder_, error.owner);
            case posix::PrivateFolderError::Kind::CannotCreate:
                return alone(Kind::FolderNotCreated, folder_, 0, error.systemError);
        }
    }
    if (const auto owner = otherOwner(lock_.fileName())) {
        return alone(Kind::LockOfAnotherUser, lock_.fileName(), *owner);
    }
    if (const auto owner = otherOwner(socketPath_)) {
        return alone(Kind::SocketOfAnotherUser, socketPath_, *owner);
    }
    if (!lock_.tryLock(0)) {
        // The holder may still be starting: give it time to listen.
        return handOver(fileToOpen);
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

SingleInstance::Role SingleInstance::handOver(const QString& fileToOpen) {
    const QDeadlineTimer deadline(kHandOverWaitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (!socket.waitForConnected(500)) {
            QThread::msleep(100);
            continue;
        }
        // The file's path goes to a program of this user only.
        const std::optional<uid_t> peer = posix::peerUserId(int(socket.socketDescriptor()));
        if (peer != ::getuid()) {
            return alone(Kind::PeerOfAnotherUser, socketPath_, peer.value_or(0U));
        }
        socket.write(requestLine(fileToOpen));
        while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
               !deadline.hasExpired()) {
            socket.waitForReadyRead(100);
        }
        return socket.readLine() == kAnswer ? Role::HandedOver : Role::Failed;
    }
    return Role::Failed;
}

void SingleInstance::acceptRequests() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!fromThisUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                // A line longer than any path is no request.
                if (socket->bytesAvailable() > qint64{64} * 1024) socket->abort();
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
