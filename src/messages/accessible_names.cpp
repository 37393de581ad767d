#include "messages/accessible_names.h"

#include <array>

#include "messages/catalogue.h"

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
          {noted("accessible_names", "Touche 1 du raccourci"),
           noted("accessible_names",
                 "Première touche du raccourci de capture : CTRL, ou vide pour aucune")}},
    Entry{"Form1",
          "Combo2",
          {noted("accessible_names", "Touche 2 du raccourci"),
           noted("accessible_names",
                 "Deuxième touche du raccourci de capture : ALT, SHIFT, ou vide pour aucune")}},
    Entry{
        "Form1",
        "Combo3",
        {noted("accessible_names", "Touche 3 du raccourci"),
         noted("accessible_names",
               "Touche du raccourci de capture : un chiffre, F1 à F12 ou une lettre. Tenu enfoncé "
               "au-dessus d'une cible, le raccourci ajoute la position du pointeur au scénario")}},
    Entry{"Form1",
          "Combo4",
          {noted("accessible_names", "Délai en secondes"),
           noted("accessible_names", "Durée de l'attente ajoutée par « Ajouter le délai »")}},
    Entry{"Form1",
          "Command1",
          {noted("accessible_names", "Ajouter le délai"),
           noted("accessible_names",
                 "Ajoute à la fin du scénario une attente du nombre de secondes choisi")}},
    Entry{
        "Form1",
        "Command2",
        {noted("accessible_names", "Ajouter la page Web"),
         noted("accessible_names", "Ajoute à la fin du scénario l'ouverture de l'adresse saisie")}},
    Entry{"Form1",
          "Command3",
          {noted("accessible_names", "Ajouter le clic"),
           noted("accessible_names", "Ajoute à la fin du scénario un clic gauche")}},
    Entry{"Form1", "Text1", {noted("accessible_names", "Adresse de la page Web"), ""}},
    Entry{"Form1",
          "LV1",
          {noted("accessible_names", "Scénario"),
           noted("accessible_names",
                 "Les actions du scénario dans l'ordre de la lecture. Entrée modifie la ligne, "
                 "Suppr la supprime, la touche Menu ou Maj+F10 ouvre le menu de la liste")}},
    Entry{"Form1", "Label3", {noted("accessible_names", "Position X du pointeur"), ""}},
    Entry{"Form1", "Label4", {noted("accessible_names", "Position Y du pointeur"), ""}},
    Entry{"Form1", "TB1", {noted("accessible_names", "Barre d'outils"), ""}},
    Entry{"Form1",
          "SB1",
          {noted("accessible_names", "Barre d'état"),
           noted("accessible_names", "Le fichier du scénario et l'état de la lecture")}},
    Entry{"Form1", "menuBar", {noted("accessible_names", "Barre de menus"), ""}},
    Entry{"Form1", "ap", {noted("accessible_names", "Aide"), ""}},
    // The modification and insertion dialogs.
    Entry{"item", "Combo1", {noted("accessible_names", "Délai en secondes"), ""}},
    Entry{"item", "Text1", {noted("accessible_names", "Adresse de la page Web"), ""}},
    Entry{"item",
          "Text2",
          {noted("accessible_names", "Position X"),
           noted("accessible_names", "Abscisse en pixels de l'écran")}},
    Entry{"item",
          "Text3",
          {noted("accessible_names", "Position Y"),
           noted("accessible_names", "Ordonnée en pixels de l'écran")}},
    Entry{"Form2",
          "Command1",
          {noted("accessible_names", "Ok"),
           noted("accessible_names", "Enregistre la modification dans la ligne choisie")}},
    Entry{"Form3",
          "Command1",
          {noted("accessible_names", "Ok"),
           noted("accessible_names", "Insère l'action avant la ligne choisie")}},
    Entry{"item",
          "Command2",
          {noted("accessible_names", "Annuler"),
           noted("accessible_names", "Ferme la fenêtre sans rien changer")}},
    // The About box.
    Entry{
        "frmAbout",
        "cmdOK",
        {noted("accessible_names", "OK"), noted("accessible_names", "Ferme la fenêtre À propos")}},
    Entry{"frmAbout",
          "cmdSysInfo",
          {noted("accessible_names", "Infos système"),
           noted("accessible_names", "Lance l'outil d'informations système")}},
    Entry{"frmAbout",
          "Label6",
          {noted("accessible_names", "Site Web de l'auteur"),
           noted("accessible_names", "Ouvre le site dans le navigateur")}},
    Entry{"frmAbout",
          "Label1",
          {noted("accessible_names", "Écrire à l'auteur"),
           noted("accessible_names", "Ouvre un message dans la messagerie")}},
    // The repetition question.
    Entry{"repeatDialog", "repetitionCount", {noted("accessible_names", "Nombre de lectures"), ""}},
};

bool isItemDialog(std::string_view window) { return window == "Form2" || window == "Form3"; }

AccessibleText inRunLanguage(AccessibleText text) {
    if (!text.description.empty())
        text.description = translated("accessible_names", text.description);
    return {translated("accessible_names", text.name), text.description};
}

}  // namespace

std::optional<AccessibleText> accessibleTextOf(std::string_view window, std::string_view control) {
    for (const Entry& entry : kEntries) {
        if (entry.control == control && entry.window == window) return inRunLanguage(entry.text);
    }
    if (!isItemDialog(window)) return std::nullopt;
    for (const Entry& entry : kEntries) {
        if (entry.control == control && entry.window == "item") return inRunLanguage(entry.text);
    }
    return std::nullopt;
}

}  // namespace pointilla::messages
