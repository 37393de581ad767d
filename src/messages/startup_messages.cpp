#include "messages/startup_messages.h"

#include <cstddef>
#include <vector>

#include "messages/catalogue.h"
#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

// "x11 (X.Org, XWayland), wlroots (sway) ou kwin (KDE Plasma)".
std::string choiceList(const std::vector<BackendChoice>& choices) {
    std::string list;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string choice = choices[i].name + " (" + choices[i].desktops + ")";
        if (i == 0) {
            list = choice;
        } else if (i + 1 == choices.size()) {
            list = filled(translated("startup_messages", "%1 ou %2"), {list, choice});
        } else {
            list += ", " + choice;
        }
    }
    return list;
}

std::string_view desktopOpenText(DesktopOpenError::Kind kind) {
    using Kind = DesktopOpenError::Kind;
    switch (kind) {
        case Kind::NoDisplayNamed:
            return translated("startup_messages",
                              "Aucun affichage X : la variable DISPLAY n'est pas définie.");
        case Kind::Unreachable:
            return translated("startup_messages",
                              "Impossible d'ouvrir l'affichage X %1 : il n'existe pas ou refuse "
                              "la connexion.");
        case Kind::NoXTest:
            return translated("startup_messages",
                              "L'affichage X %1 n'offre pas l'extension XTEST : impossible d'y "
                              "simuler la souris.");
        case Kind::SingleDesktopNamed:
            return translated("startup_messages",
                              "Windows n'a qu'un seul bureau : l'affichage %1 ne peut pas se "
                              "choisir.");
        case Kind::CompositorLacks:
            return translated("startup_messages",
                              "Le compositeur Wayland %2 n'offre pas %3 : impossible d'y simuler "
                              "la souris.");
        case Kind::WaylandUnreachable:
            return translated("startup_messages",
                              "Impossible de joindre le compositeur Wayland %1 : il n'existe pas "
                              "ou refuse la connexion.");
        case Kind::UnknownBackend:
            return translated("startup_messages", "POINTILLA_BACKEND vaut %1 : choisir %4.");
        case Kind::WaylandLeftOut:
            return translated("startup_messages",
                              "Cette version de Pointilla est construite sans bureau Wayland "
                              "natif : impossible de simuler la souris sur le compositeur %1.");
    }
    return {};
}

}  // namespace

std::string desktopOpenMessage(const DesktopOpenError& error) {
    // %1 the display, %2 the compositor, %3 what it lacks, %4 the backends to choose from.
    const std::string choices =
        error.kind == DesktopOpenError::Kind::UnknownBackend ? choiceList(error.choices) : "";
    return filled(desktopOpenText(error.kind),
                  {guillemets(error.display), guillemets(error.compositor),
                   guillemets(error.missing), choices});
}

std::string xwaylandFallbackMessage(const DesktopOpenError& why) {
    return filled(translated("startup_messages",
                             "%1 Pointilla passe par XWayland : seules les fenêtres XWayland "
                             "seront atteintes."),
                  {desktopOpenMessage(why)});
}

std::string controlFailureMessage(const ControlFailure& failure) {
    switch (failure.kind) {
        case ControlFailure::Kind::RegistrationFailed:
            return filled(
                translated("startup_messages",
                           "Le contrôle de registre %1 n'est pas enregistré et la "
                           "bibliothèque %2 n'a pas pu l'être."),
                {spacedGuillemets(failure.progId), spacedGuillemets(utf8Name(failure.library))});
        case ControlFailure::Kind::CreationFailed:
            return filled(
                translated("startup_messages", "Le contrôle de registre %1 n'a pas pu être créé."),
                {spacedGuillemets(failure.progId)});
    }
    return {};
}

}  // namespace pointilla::messages
