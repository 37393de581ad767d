<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr_FR">
<context>
    <name>pointilla::editing::CreationPanel</name>
    <message>
        <source>Création du Scénario</source>
        <translation>Scenario building</translation>
    </message>
    <message>
        <source>Position de la souris :</source>
        <translation>Pointer position:</translation>
    </message>
    <message>
        <source>Clic souris :</source>
        <translation>Mouse click:</translation>
    </message>
    <message>
        <source>Clic de la souris</source>
        <translation>Add a mouse click</translation>
    </message>
    <message>
        <source>Délai  en secondes :</source>
        <translation>Delay in seconds:</translation>
    </message>
    <message>
        <source>secondes</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ouvrir une page Web :</source>
        <translation>Open a web page:</translation>
    </message>
</context>
<context>
    <name>pointilla::editing::ScenarioModel</name>
    <message>
        <source>Position souris</source>
        <translation>Pointer position</translation>
    </message>
    <message>
        <source>Clic souris</source>
        <translation>Mouse click</translation>
    </message>
    <message>
        <source>Délai</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Détail</source>
        <translation>Detail</translation>
    </message>
</context>
<context>
    <name>pointilla::editing::dialogs::Form2</name>
    <message>
        <source>Modification</source>
        <translation>Edit row</translation>
    </message>
</context>
<context>
    <name>pointilla::editing::dialogs::Form3</name>
    <message>
        <source>Insertion</source>
        <translation>Insert row</translation>
    </message>
</context>
<context>
    <name>pointilla::editing::dialogs::ItemDialog</name>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Délai</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>Délai :</source>
        <translation>Delay:</translation>
    </message>
    <message>
        <source>secondes</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Position souris :</source>
        <translation>Pointer:</translation>
    </message>
    <message>
        <source>En X :</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>En Y :</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>URL :</source>
        <translation>URL:</translation>
    </message>
</context>
<context>
    <name>pointilla::shell::Form1</name>
    <message>
        <source>Capturer la position</source>
        <translation>Capture the position</translation>
    </message>
    <message>
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Non</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Position de la souris</source>
        <translation>Pointer position</translation>
    </message>
    <message>
        <source>En X :</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>En Y :</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>Détail du Scénario</source>
        <translation>Scenario details</translation>
    </message>
    <message>
        <source>Démarrer la lecture du scénario</source>
        <translation>Play the scenario</translation>
    </message>
    <message>
        <source>Ouvrir un scénario</source>
        <translation>Open a scenario</translation>
    </message>
    <message>
        <source>Enregistrer un scénario</source>
        <translation>Save the scenario</translation>
    </message>
    <message>
        <source>Réduire la fenêtre</source>
        <translation>Hide the window</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Annuler</source>
        <comment>takes back the last change</comment>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Rétablir</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Démarrer la lecture</source>
        <translation>Start playback</translation>
    </message>
    <message>
        <source>Arrêter la lecture	Échap</source>
        <translation>Stop playback	Esc</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Réduire la fenêtre lors d&apos;une lecture</source>
        <translation>Hide the window while playing</translation>
    </message>
    <message>
        <source>Répéter la lecture...</source>
        <translation>Repeat playback...</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Insérer</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Position souris</source>
        <translation>Pointer position</translation>
    </message>
    <message>
        <source>Clic souris</source>
        <translation>Mouse click</translation>
    </message>
    <message>
        <source>Délai</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Vider le scénario</source>
        <translation>Clear the scenario</translation>
    </message>
    <message>
        <source>Afficher Pointilla</source>
        <translation>Show Pointilla</translation>
    </message>
    <message>
        <source>Arrêter la lecture</source>
        <translation>Stop playback</translation>
    </message>
</context>
<context>
    <name>pointilla::shell::RepeatDialog</name>
    <message>
        <source>Répéter la lecture</source>
        <translation>Repeat playback</translation>
    </message>
    <message>
        <source>En boucle, jusqu&apos;à la touche Échap</source>
        <translation>In a loop, until the Esc key</translation>
    </message>
    <message>
        <source>Nombre de lectures du scénario :</source>
        <translation>Times to play the scenario:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>pointilla::shell::ScenarioFileDialog</name>
    <message>
        <source>Fichier Pointilla (*.sce)</source>
        <translation>Pointilla file (*.sce)</translation>
    </message>
</context>
<context>
    <name>pointilla::shell::frmAbout</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>Écrit par l&apos;équipe Dovetail, 2026</source>
        <translation>Written by the Dovetail team, 2026</translation>
    </message>
    <message>
        <source>Site Web : </source>
        <translation>Web site: </translation>
    </message>
    <message>
        <source>E-Mail :  </source>
        <translation>E-mail: </translation>
    </message>
    <message>
        <source>Attention : ce logiciel est protégé par la loi relative au droit d&apos;auteur et par les conventions internationales. Toute reproduction ou distribution, partielle ou totale, de ce logiciel, par quelque moyen que ce soit, est strictement interdite et constitue une contrefaçon passible des sanctions pénales prévues par la loi.</source>
        <translation>Warning: this software is protected by copyright law and by international treaties. Any reproduction or distribution of this software, in part or in whole, by any means whatsoever, is strictly forbidden and is an infringement liable to the criminal penalties provided by law.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Infos système...</source>
        <translation>&amp;System info...</translation>
    </message>
</context>
</TS>
