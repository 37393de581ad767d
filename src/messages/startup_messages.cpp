#include "messages/startup_messages.h"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace pointilla::messages {
namespace {

// French quotation marks with their non-breaking spaces.
std::string quoted(const std::string& text) { return "\u00ab\u00a0" + text + "\u00a0\u00bb"; }

// "x11 (X.Org, XWayland), wlroots (sway) ou kwin (KDE Plasma)".
std::string choiceList(const std::vector<platform::BackendChoice>& choices) {
    std::string list;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) list += i + 1 == choices.size() ? " ou " : ", ";
        list += choices[i].name + " (" + choices[i].desktops + ")";
    }
    return list;
}

// A file name as the messages' UTF-8 text, on Windows too (where the narrow
// form is the ANSI code page's).
std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string desktopOpenMessage(const platform::DesktopOpenError& error) {
    using Kind = platform::DesktopOpenError::Kind;
    switch (error.kind) {
        case Kind::NoDisplayNamed:
            return "Aucun affichage X : la variable DISPLAY n'est pas d\u00e9finie.";
        case Kind::Unreachable:
            return "Impossible d'ouvrir l'affichage X " + quoted(error.display) +
                   " : il n'existe pas ou refuse la connexion.";
        case Kind::NoXTest:
            return "L'affichage X " + quoted(error.display) +
                   " n'offre pas l'extension XTEST : impossible d'y simuler la souris.";
        case Kind::SingleDesktopNamed:
            return "Windows n'a qu'un seul bureau : l'affichage " + quoted(error.display) +
                   " ne peut pas se choisir.";
        case Kind::CompositorLacks:
            return "Le compositeur Wayland " + quoted(error.compositor) + " n'offre pas " +
                   quoted(error.missing) + " : impossible d'y simuler la souris.";
        case Kind::WaylandUnreachable:
            return "Impossible de joindre le compositeur Wayland " + quoted(error.display) +
                   " : il n'existe pas ou refuse la connexion.";
        case Kind::UnknownBackend:
            return "POINTILLA_BACKEND vaut " + quoted(error.display) + " : choisir " +
                   choiceList(error.choices) + ".";
        case Kind::WaylandLeftOut:
            return "Cette version de Pointilla est construite sans bureau Wayland natif : "
                   "impossible de simuler la souris sur le compositeur " +
                   quoted(error.display) + ".";
    }
    return {};
}

std::string xwaylandFallbackMessage(const platform::DesktopOpenError& why) {
    return desktopOpenMessage(why) +
           " Pointilla passe par XWayland : seules les fen\u00eatres XWayland seront "
           "atteintes.";
}

std::string controlFailureMessage(const settings::ControlFailure& failure) {
    const std::string control = "Le contr\u00f4le de registre \u00ab " + failure.progId + " \u00bb";
    switch (failure.kind) {
        case settings::ControlFailure::Kind::RegistrationFailed:
            return control + " n'est pas enregistr\u00e9 et la biblioth\u00e8que \u00ab " +
                   utf8Text(failure.library) + " \u00bb n'a pas pu l'\u00eatre.";
        case settings::ControlFailure::Kind::CreationFailed:
            return control + " n'a pas pu \u00eatre cr\u00e9\u00e9.";
    }
    return {};
}

}  // namespace pointilla::messages
