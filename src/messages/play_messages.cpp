#include "messages/play_messages.h"

#include "messages/catalogue.h"
#include "messages/french_text.h"
#include "messages/tool_voice.h"

namespace pointilla::messages {

std::string playHelpText() {
    // One line of the source, one line of the help.
    const std::string_view usage = translated("play_messages", R"(Utilisation :
  pointilla-play [--display AFFICHAGE] [--repeat N | --loop] FICHIER.sce
      Joue le scénario sur le bureau de la session (Wayland : sway et les
      autres bureaux wlroots, KDE, GNOME ; sinon X11), ou sur l'affichage X nommé
      par --display ; POINTILLA_BACKEND=x11|wlroots|kwin|gnome en impose un. Comme
      le bouton « start » de Pointilla : déplacements du pointeur, clics du
      bouton gauche, délais en secondes réelles, adresses ouvertes avec
      l'application par défaut (xdg-open). Rend la main à la fin du scénario.
      --repeat N  joue le scénario N fois (1 à 9999), chaque fois depuis la
                  première ligne ;
      --loop      le rejoue sans fin, jusqu'à Échap.
      Huit ouvertures d'adresse au plus tournent à la fois : une ligne « URL »
      attend qu'une se termine (Échap l'arrête) ; une ouverture qui dure plus de
      10 s n'est plus attendue, et un avertissement le dit.
      La touche Échap, quelle que soit la fenêtre active, arrête la lecture
      aussitôt : « Lecture arrêtée à la ligne N » est écrit sur la
      sortie d'erreur (code 6). SIGINT (Ctrl+C) et SIGTERM l'arrêtent après la
      ligne en cours, avec le même message, puis terminent le programme par ce
      signal. Sur un terminal, une ligne de la sortie d'erreur suit la ligne jouée
      et l'attente restante.
  pointilla-play --list FICHIER.sce
      Affiche les lignes du fichier, une par ligne : action, tabulation, détail
      (UTF-8). Les lignes d'en-tête (« [ ») ne sont pas des lignes du
      scénario ; leurs libellés sont signalés sur la sortie d'erreur.
      Les caractères de contrôle d'un fichier sont écrits en clair (\x1b, \n,
      \t...), ici comme sur la ligne de progression.
  pointilla-play --help
      Affiche cette aide.

Rien n'est joué si le fichier est illisible, si sa lecture s'arrête avant la
fin ou si le bureau (affichage X, compositeur Wayland) est indisponible.

)");
    return std::string(usage) +
           exitCodesText({
               {0, translated("play_messages", "succès")},
               {1, translated("play_messages", "mauvaise utilisation")},
               {2, translated("play_messages", "fichier illisible")},
               {3, translated("play_messages",
                              "lecture du fichier arrêtée avant la fin (ligne mal formée)")},
               {4, translated("play_messages",
                              "bureau indisponible (affichage X, compositeur Wayland, "
                              "POINTILLA_BACKEND\n     inconnu)")},
               {5, translated("play_messages",
                              "le bureau ne répond plus pendant la lecture (arrêtée à la ligne "
                              "dite)")},
               {6, translated("play_messages", "lecture arrêtée par Échap")},
           });
}

std::string displayNameMissing() {
    return std::string(translated("play_messages", "--display demande le nom d'un affichage."));
}

std::string repetitionsNotANumber() {
    return std::string(translated("play_messages", "--repeat demande un nombre de 1 à 9999."));
}

std::string unknownOption(std::string_view option) {
    return filled(translated("play_messages", "option inconnue %1."), {guillemets(option)});
}

std::string oneFileAtATime() {
    return std::string(translated("play_messages", "un seul fichier de scénario à la fois."));
}

std::string scenarioFileMissing() {
    return std::string(translated("play_messages", "il manque le fichier de scénario."));
}

std::string listTakesNoDisplay() {
    return std::string(translated("play_messages", "--list n'utilise pas d'affichage."));
}

std::string listTakesNoRepetitions() {
    return std::string(
        translated("play_messages", "--repeat et --loop servent à jouer, pas à lister."));
}

}  // namespace pointilla::messages
