#include "messages/accessible_names.h"

#include <array>

namespace pointilla::messages {
namespace {

struct Entry {
    std::string_view window;  // "item" stands for both item dialogs
    std::string_view control;
    AccessibleText text;
};

constexpr std::array kEntries{
    // The main window.
    Entry{"Form1",
          "Combo1",
          {"Touche 1 du raccourci",
           "Première touche du raccourci de capture : CTRL, ou vide pour aucune"}},
    Entry{"Form1",
          "Combo2",
          {"Touche 2 du raccourci",
           "Deuxième touche du raccourci de capture : ALT, SHIFT, ou vide pour aucune"}},
    Entry{"Form1",
          "Combo3",
          {"Touche 3 du raccourci",
           "Touche du raccourci de capture : un chiffre, F1 à F12 ou une lettre. Tenu enfoncé "
           "au-dessus d'une cible, le raccourci ajoute la position du pointeur au scénario"}},
    Entry{"Form1",
          "Combo4",
          {"Délai en secondes", "Durée de l'attente ajoutée par « Ajouter le délai »"}},
    Entry{"Form1",
          "Command1",
          {"Ajouter le délai",
           "Ajoute à la fin du scénario une attente du nombre de secondes choisi"}},
    Entry{"Form1",
          "Command2",
          {"Ajouter la page Web", "Ajoute à la fin du scénario l'ouverture de l'adresse saisie"}},
    Entry{"Form1", "Command3", {"Ajouter le clic", "Ajoute à la fin du scénario un clic gauche"}},
    Entry{"Form1", "Text1", {"Adresse de la page Web", ""}},
    Entry{"Form1",
          "LV1",
          {"Scénario",
           "Les actions du scénario dans l'ordre de la lecture. Entrée modifie la ligne, "
           "Suppr la supprime, la touche Menu ou Maj+F10 ouvre le menu de la liste"}},
    Entry{"Form1", "Label3", {"Position X du pointeur", ""}},
    Entry{"Form1", "Label4", {"Position Y du pointeur", ""}},
    Entry{"Form1", "TB1", {"Barre d'outils", ""}},
    Entry{"Form1", "SB1", {"Barre d'état", "Le fichier du scénario et l'état de la lecture"}},
    Entry{"Form1", "menuBar", {"Barre de menus", ""}},
    Entry{"Form1", "ap", {"Aide", ""}},
    // The modification and insertion dialogs.
    Entry{"item", "Combo1", {"Délai en secondes", ""}},
    Entry{"item", "Text1", {"Adresse de la page Web", ""}},
    Entry{"item", "Text2", {"Position X", "Abscisse en pixels de l'écran"}},
    Entry{"item", "Text3", {"Position Y", "Ordonnée en pixels de l'écran"}},
    Entry{"Form2", "Command1", {"Ok", "Enregistre la modification dans la ligne choisie"}},
    Entry{"Form3", "Command1", {"Ok", "Insère l'action avant la ligne choisie"}},
    Entry{"item", "Command2", {"Annuler", "Ferme la fenêtre sans rien changer"}},
    // The About box.
    Entry{"frmAbout", "cmdOK", {"OK", "Ferme la fenêtre À propos"}},
    Entry{"frmAbout", "cmdSysInfo", {"Infos système", "Lance l'outil d'informations système"}},
    Entry{"frmAbout", "Label6", {"Site Web de l'auteur", "Ouvre le site dans le navigateur"}},
    Entry{"frmAbout", "Label1", {"Écrire à l'auteur", "Ouvre un message dans la messagerie"}},
    // The repetition question.
    Entry{"repeatDialog", "repetitionCount", {"Nombre de lectures", ""}},
};

bool isItemDialog(std::string_view window) { return window == "Form2" || window == "Form3"; }

}  // namespace

std::optional<AccessibleText> accessibleTextOf(std::string_view window, std::string_view control) {
    for (const Entry& entry : kEntries) {
        if (entry.control == control && entry.window == window) return entry.text;
    }
    if (!isItemDialog(window)) return std::nullopt;
    for (const Entry& entry : kEntries) {
        if (entry.control == control && entry.window == "item") return entry.text;
    }
    return std::nullopt;
}

}  // namespace pointilla::messages
