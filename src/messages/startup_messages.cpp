#include "messages/startup_messages.h"

#include <cstddef>
#include <vector>

#include "messages/french_text.h"

namespace pointilla::messages {
namespace {

// "x11 (X.Org, XWayland), wlroots (sway) ou kwin (KDE Plasma)".
std::string choiceList(const std::vector<BackendChoice>& choices) {
    std::string list;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) list += i + 1 == choices.size() ? " ou " : ", ";
        list += choices[i].name + " (" + choices[i].desktops + ")";
    }
    return list;
}

}  // namespace

std::string desktopOpenMessage(const DesktopOpenError& error) {
    using Kind = DesktopOpenError::Kind;
    switch (error.kind) {
        case Kind::NoDisplayNamed:
            return "Aucun affichage X : la variable DISPLAY n'est pas définie.";
        case Kind::Unreachable:
            return "Impossible d'ouvrir l'affichage X " + guillemets(error.display) +
                   " : il n'existe pas ou refuse la connexion.";
        case Kind::NoXTest:
            return "L'affichage X " + guillemets(error.display) +
                   " n'offre pas l'extension XTEST : impossible d'y simuler la souris.";
        case Kind::SingleDesktopNamed:
            return "Windows n'a qu'un seul bureau : l'affichage " + guillemets(error.display) +
                   " ne peut pas se choisir.";
        case Kind::CompositorLacks:
            return "Le compositeur Wayland " + guillemets(error.compositor) + " n'offre pas " +
                   guillemets(error.missing) + " : impossible d'y simuler la souris.";
        case Kind::WaylandUnreachable:
            return "Impossible de joindre le compositeur Wayland " + guillemets(error.display) +
                   " : il n'existe pas ou refuse la connexion.";
        case Kind::UnknownBackend:
            return "POINTILLA_BACKEND vaut " + guillemets(error.display) + " : choisir " +
                   choiceList(error.choices) + ".";
        case Kind::WaylandLeftOut:
            return "Cette version de Pointilla est construite sans bureau Wayland natif : "
                   "impossible de simuler la souris sur le compositeur " +
                   guillemets(error.display) + ".";
    }
    return {};
}

std::string xwaylandFallbackMessage(const DesktopOpenError& why) {
    return desktopOpenMessage(why) +
           " Pointilla passe par XWayland : seules les fenêtres XWayland seront "
           "atteintes.";
}

std::string controlFailureMessage(const ControlFailure& failure) {
    const std::string control = "Le contrôle de registre " + spacedGuillemets(failure.progId);
    switch (failure.kind) {
        case ControlFailure::Kind::RegistrationFailed:
            return control + " n'est pas enregistré et la bibliothèque " +
                   spacedGuillemets(utf8Name(failure.library)) + " n'a pas pu l'être.";
        case ControlFailure::Kind::CreationFailed:
            return control + " n'a pas pu être créé.";
    }
    return {};
}

}  // namespace pointilla::messages
