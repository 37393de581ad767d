#include "shell/single_instance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
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

struct SingleInstance::State {
    State(QString runtimeFolder, const QString& display)
        : folder(std::move(runtimeFolder)),
          socketPath(QDir(folder).filePath(baseName(display))),
          lock(socketPath + QStringLiteral(".lock")) {
        lock.setStaleLockTime(0);  // stale only when its program is gone
    }

    Role alone(SingleInstance& self, Kind kind, const QString& path, unsigned owner = 0,
               int systemError = 0) {
        self.refusal_ = {kind, path.toStdString(), owner, systemError};
        return Role::Alone;
    }
    Role handOver(SingleInstance& self, const QString& fileToOpen);
    void acceptRequests(SingleInstance& self);

    QString folder;
    QString socketPath;
    QLockFile lock;
    std::unique_ptr<QLocalServer> server;
};

SingleInstance::SingleInstance(QString runtimeFolder, const QString& display, QObject* parent)
    : QObject(parent), state_(std::make_unique<State>(std::move(runtimeFolder), display)) {}

SingleInstance::~SingleInstance() {
    if (state_->server) state_->server->close();
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

SingleInstance::Role SingleInstance::claim(const QString& fileToOpen) {
    // Another user's folder, lock or socket is neither obeyed nor removed.
    if (auto made = posix::makePrivateFolder(nativePath(state_->folder)); !made) {
        const posix::PrivateFolderError& error = made.error();
        switch (error.kind) {
            case posix::PrivateFolderError::Kind::OwnedByAnother:
                return state_->alone(*this, Kind::FolderOfAnotherUser, state_->folder, error.owner);
            case posix::PrivateFolderError::Kind::NotAFolder:
                return state_->alone(*this, Kind::FolderNotAFolder, state_->folder, error.owner);
            case posix::PrivateFolderError::Kind::CannotCreate:
                return state_->alone(*this, Kind::FolderNotCreated, state_->folder, 0,
                                     error.systemError);
        }
    }
    if (const auto owner = otherOwner(state_->lock.fileName())) {
        return state_->alone(*this, Kind::LockOfAnotherUser, state_->lock.fileName(), *owner);
    }
    if (const auto owner = otherOwner(state_->socketPath)) {
        return state_->alone(*this, Kind::SocketOfAnotherUser, state_->socketPath, *owner);
    }
    if (!state_->lock.tryLock(0)) {
        // The holder may still be starting: give it time to listen.
        return state_->handOver(*this, fileToOpen);
    }
    // We hold the lock, so a socket left behind belongs to a program that died.
    QLocalServer::removeServer(state_->socketPath);
    auto& server = state_->server;
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server.get(), &QLocalServer::newConnection, this,
            [this] { state_->acceptRequests(*this); });
    if (!server->listen(state_->socketPath)) {
        // Later starts cannot reach us, but the lock still keeps them from
        // running a second window: they end with a message.
        qWarning("Pointilla : %s", qPrintable(server->errorString()));
    }
    return Role::First;
}

SingleInstance::Role SingleInstance::State::handOver(SingleInstance& self,
                                                     const QString& fileToOpen) {
    const QDeadlineTimer deadline(kHandOverWaitMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(500)) {
            QThread::msleep(100);
            continue;
        }
        // The file's path goes to a program of this user only.
        const std::optional<uid_t> peer = posix::peerUserId(int(socket.socketDescriptor()));
        if (peer != ::getuid()) {
            return alone(self, Kind::PeerOfAnotherUser, socketPath, peer.value_or(0U));
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

void SingleInstance::State::acceptRequests(SingleInstance& self) {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        if (!fromThisUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, &self, [&self, socket] {
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
            emit self.activationRequested(*file);
        });
    }
}

}  // namespace pointilla::shell
