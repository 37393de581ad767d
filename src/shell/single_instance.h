#pragma once
// One Pointilla per user and display. The first program holds a lock and
// listens on a local socket; a later start hands its file (or nothing) to it
// and ends, so that two programs never poll the same capture hot key. On
// Windows the lock is a named mutex of the session and the request a
// WM_COPYDATA message to the first program's message window.

#include <QObject>
#include <QString>
#include <memory>

#include "common/single_instance_refusal.h"

namespace pointilla::shell {

class SingleInstance final : public QObject {
    Q_OBJECT

  public:
    enum class Role {
        First,       // this program runs the window; listen() was done
        HandedOver,  // another program took the request: end with status 0
        Failed,      // another program holds the lock but did not answer
        Alone,       // another user's lock, socket or folder: run, trusting none; see refusal()
    };

    // The lock and socket live in runtimeFolder, named after the display.
    SingleInstance(QString runtimeFolder, const QString& display, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the first program, or hands fileToOpen (absolute, or empty for
    // none) to the running one. A lock left by a program that died is taken over.
    Role claim(const QString& fileToOpen);

    // Why claim() answered Alone.
    const SingleInstanceRefusal& refusal() const { return refusal_; }

    // The folder for the lock and socket: $XDG_RUNTIME_DIR when it is a private
    // folder of this user, else a folder of the user's own in the temporary
    // folder, made by claim(); the user's id is part of the names.
    static QString defaultRuntimeFolder();

  signals:
    // A later start asked to come to the front, with a file to open or none.
    void activationRequested(const QString& fileToOpen);

  private:
    // What the system holds while this program is the first: a lock file and
    // a local socket, or a named mutex and a message window
    // (platform/<system>/shell/single_instance.cpp).
    struct State;
    std::unique_ptr<State> state_;
    SingleInstanceRefusal refusal_;
};

}  // namespace pointilla::shell
