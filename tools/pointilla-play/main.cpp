// pointilla-play: plays a scenario file on the X display without the main
// window, or lists the rows it holds.

#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/posix/file_size_limit.h"
#include "playback/playback_engine.h"
#include "tools/pointilla-play/commands.h"

namespace {

constexpr const char* kHelp =
    "Utilisation :\n"
    "  pointilla-play [--display AFFICHAGE] [--repeat N | --loop] FICHIER.sce\n"
    "      Joue le sc\u00e9nario sur le bureau de la session (Wayland : sway et les\n"
    "      autres bureaux wlroots, KDE, GNOME ; sinon X11), ou sur l'affichage X nomm\u00e9\n"
    "      par --display ; POINTILLA_BACKEND=x11|wlroots|kwin|gnome en impose un. Comme\n"
    "      le bouton \u00ab\u00a0start\u00a0\u00bb de Pointilla : d\u00e9placements du pointeur, "
    "clics du\n"
    "      bouton gauche, d\u00e9lais en secondes r\u00e9elles, adresses ouvertes avec\n"
    "      l'application par d\u00e9faut (xdg-open). Rend la main \u00e0 la fin du sc\u00e9nario.\n"
    "      --repeat N  joue le sc\u00e9nario N fois (1 \u00e0 9999), chaque fois depuis la\n"
    "                  premi\u00e8re ligne ;\n"
    "      --loop      le rejoue sans fin, jusqu'\u00e0 \u00c9chap.\n"
    "      Huit ouvertures d'adresse au plus tournent à la fois : une ligne « URL »\n"
    "      attend qu'une se termine (Échap l'arrête) ; une ouverture qui dure plus de\n"
    "      10 s n'est plus attendue, et un avertissement le dit.\n"
    "      La touche \u00c9chap, quelle que soit la fen\u00eatre active, arr\u00eate la lecture\n"
    "      aussit\u00f4t : \u00ab\u00a0Lecture arr\u00eat\u00e9e \u00e0 la ligne N\u00a0\u00bb est "
    "\u00e9crit sur la\n"
    "      sortie d'erreur (code 6). SIGINT (Ctrl+C) et SIGTERM l'arr\u00eatent apr\u00e8s la\n"
    "      ligne en cours, avec le m\u00eame message, puis terminent le programme par ce\n"
    "      signal. Sur un terminal, une ligne de la sortie d'erreur suit la ligne jou\u00e9e\n"
    "      et l'attente restante.\n"
    "  pointilla-play --list FICHIER.sce\n"
    "      Affiche les lignes du fichier, une par ligne : action, tabulation, d\u00e9tail\n"
    "      (UTF-8). Les lignes d'en-t\u00eate (\u00ab\u00a0[\u00a0\u00bb) ne sont pas des lignes "
    "du\n"
    "      sc\u00e9nario ; leurs libell\u00e9s sont signal\u00e9s sur la sortie d'erreur.\n"
    "      Les caractères de contrôle d'un fichier sont écrits en clair (\\x1b, \\n,\n"
    "      \\t...), ici comme sur la ligne de progression.\n"
    "  pointilla-play --help\n"
    "      Affiche cette aide.\n"
    "\n"
    "Rien n'est jou\u00e9 si le fichier est illisible, si sa lecture s'arr\u00eate avant la\n"
    "fin ou si le bureau (affichage X, compositeur Wayland) est indisponible.\n"
    "\n"
    "Codes de sortie :\n"
    "  0  succ\u00e8s\n"
    "  1  mauvaise utilisation\n"
    "  2  fichier illisible\n"
    "  3  lecture du fichier arr\u00eat\u00e9e avant la fin (ligne mal form\u00e9e)\n"
    "  4  bureau indisponible (affichage X, compositeur Wayland, POINTILLA_BACKEND\n"
    "     inconnu)\n"
    "  5  le bureau ne répond plus pendant la lecture (arrêtée à la ligne dite)\n"
    "  6  lecture arr\u00eat\u00e9e par \u00c9chap\n";

int usageError(const std::string& what) {
    std::cerr << "pointilla-play : " << what
              << "\nEssayez \u00ab\u00a0pointilla-play --help\u00a0\u00bb.\n";
    return pointilla::play::kUsage;
}

// The file name as the program's UTF-8 text, whatever the system's narrow encoding.
std::filesystem::path fromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

}  // namespace

int main(int argc, char** argv) {
    pointilla::platform::posix::reportFileSizeLimitAsError();
    const std::vector<std::string> args = pointilla::platform::programArguments(argc, argv);
    bool list = false;
    bool repeatGiven = false;
    pointilla::play::PlayOptions options;
    std::string file;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--help") {
            std::cout << kHelp;
            return pointilla::play::kSuccess;
        }
        if (!optionsEnded && arg == "--list") {
            list = true;
        } else if (!optionsEnded && arg == "--display") {
            if (i + 1 >= args.size()) return usageError("--display demande le nom d'un affichage.");
            options.displayName = args[++i];
        } else if (!optionsEnded && arg == "--repeat") {
            const int count =
                i + 1 < args.size() ? pointilla::playback::parseRepetitions(args[i + 1]) : 0;
            // parseRepetitions reads anything but a plain 1..9999 as once.
            if (i + 1 >= args.size() || count == pointilla::playback::kLoop ||
                (count == 1 && std::string_view(args[i + 1]) != "1")) {
                return usageError("--repeat demande un nombre de 1 \u00e0 9999.");
            }
            options.repetitions = count;
            repeatGiven = true;
            ++i;
        } else if (!optionsEnded && arg == "--loop") {
            options.repetitions = pointilla::playback::kLoop;
            repeatGiven = true;
        } else if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg.front() == '-') {
            return usageError("option inconnue \u00ab\u00a0" + std::string(arg) + "\u00a0\u00bb.");
        } else if (haveFile) {
            return usageError("un seul fichier de sc\u00e9nario \u00e0 la fois.");
        } else {
            file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) return usageError("il manque le fichier de sc\u00e9nario.");
    if (list && !options.displayName.empty()) {
        return usageError("--list n'utilise pas d'affichage.");
    }
    if (list && repeatGiven)
        return usageError("--repeat et --loop servent \u00e0 jouer, pas \u00e0 lister.");
    options.progressLine = pointilla::platform::stderrIsProgressTerminal();
    return list ? pointilla::play::listRows(fromUtf8(file), std::cout, std::cerr)
                : pointilla::play::playRows(fromUtf8(file), options, std::cerr);
}
