<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="fr_FR">
<context>
    <name>accessible_names</name>
    <message>
        <source>Touche 1 du raccourci</source>
        <translation>Hot key, first key</translation>
    </message>
    <message>
        <source>Première touche du raccourci de capture : CTRL, ou vide pour aucune</source>
        <translation>First key of the capture hot key: CTRL, or empty for none</translation>
    </message>
    <message>
        <source>Touche 2 du raccourci</source>
        <translation>Hot key, second key</translation>
    </message>
    <message>
        <source>Deuxième touche du raccourci de capture : ALT, SHIFT, ou vide pour aucune</source>
        <translation>Second key of the capture hot key: ALT, SHIFT, or empty for none</translation>
    </message>
    <message>
        <source>Touche 3 du raccourci</source>
        <translation>Hot key, third key</translation>
    </message>
    <message>
        <source>Touche du raccourci de capture : un chiffre, F1 à F12 ou une lettre. Tenu enfoncé au-dessus d&apos;une cible, le raccourci ajoute la position du pointeur au scénario</source>
        <translation>Key of the capture hot key: a digit, F1 to F12 or a letter. Held down over a target, the hot key adds the pointer&apos;s position to the scenario</translation>
    </message>
    <message>
        <source>Délai en secondes</source>
        <translation>Delay in seconds</translation>
    </message>
    <message>
        <source>Durée de l&apos;attente ajoutée par « Ajouter le délai »</source>
        <translation>Length of the wait that “Add the delay” adds</translation>
    </message>
    <message>
        <source>Ajouter le délai</source>
        <translation>Add the delay</translation>
    </message>
    <message>
        <source>Ajoute à la fin du scénario une attente du nombre de secondes choisi</source>
        <translation>Adds a wait of the chosen number of seconds at the end of the scenario</translation>
    </message>
    <message>
        <source>Ajouter la page Web</source>
        <translation>Add the web page</translation>
    </message>
    <message>
        <source>Ajoute à la fin du scénario l&apos;ouverture de l&apos;adresse saisie</source>
        <translation>Adds the opening of the typed address at the end of the scenario</translation>
    </message>
    <message>
        <source>Ajouter le clic</source>
        <translation>Add the click</translation>
    </message>
    <message>
        <source>Ajoute à la fin du scénario un clic gauche</source>
        <translation>Adds a left click at the end of the scenario</translation>
    </message>
    <message>
        <source>Adresse de la page Web</source>
        <translation>Web page address</translation>
    </message>
    <message>
        <source>Scénario</source>
        <translation>Scenario</translation>
    </message>
    <message>
        <source>Les actions du scénario dans l&apos;ordre de la lecture. Entrée modifie la ligne, Suppr la supprime, la touche Menu ou Maj+F10 ouvre le menu de la liste</source>
        <translation>The scenario&apos;s actions in the order they are played. Enter modifies the row, Delete deletes it, the Menu key or Shift+F10 opens the list&apos;s menu</translation>
    </message>
    <message>
        <source>Position X du pointeur</source>
        <translation>Pointer X position</translation>
    </message>
    <message>
        <source>Position Y du pointeur</source>
        <translation>Pointer Y position</translation>
    </message>
    <message>
        <source>Barre d&apos;outils</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Barre d&apos;état</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>Le fichier du scénario et l&apos;état de la lecture</source>
        <translation>The scenario&apos;s file and the state of the playback</translation>
    </message>
    <message>
        <source>Barre de menus</source>
        <translation>Menu bar</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Position X</source>
        <translation>X position</translation>
    </message>
    <message>
        <source>Abscisse en pixels de l&apos;écran</source>
        <translation>Horizontal position in screen pixels</translation>
    </message>
    <message>
        <source>Position Y</source>
        <translation>Y position</translation>
    </message>
    <message>
        <source>Ordonnée en pixels de l&apos;écran</source>
        <translation>Vertical position in screen pixels</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Enregistre la modification dans la ligne choisie</source>
        <translation>Saves the modification in the chosen row</translation>
    </message>
    <message>
        <source>Insère l&apos;action avant la ligne choisie</source>
        <translation>Inserts the action before the chosen row</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ferme la fenêtre sans rien changer</source>
        <translation>Closes the window without changing anything</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ferme la fenêtre À propos</source>
        <translation>Closes the About window</translation>
    </message>
    <message>
        <source>Infos système</source>
        <translation>System information</translation>
    </message>
    <message>
        <source>Lance l&apos;outil d&apos;informations système</source>
        <translation>Starts the system information tool</translation>
    </message>
    <message>
        <source>Site Web de l&apos;auteur</source>
        <translation>Author&apos;s website</translation>
    </message>
    <message>
        <source>Ouvre le site dans le navigateur</source>
        <translation>Opens the website in the browser</translation>
    </message>
    <message>
        <source>Écrire à l&apos;auteur</source>
        <translation>Write to the author</translation>
    </message>
    <message>
        <source>Ouvre un message dans la messagerie</source>
        <translation>Opens a message in the mail program</translation>
    </message>
    <message>
        <source>Nombre de lectures</source>
        <translation>Number of playbacks</translation>
    </message>
</context>
<context>
    <name>capture_messages</name>
    <message>
        <source>Capturer les clics</source>
        <translation>Capture clicks</translation>
    </message>
    <message>
        <source>Capture des clics : %1 clics</source>
        <translation>Click capture: %1 clicks</translation>
    </message>
    <message>
        <source>Capture des clics : %1 clic</source>
        <translation>Click capture: %1 click</translation>
    </message>
    <message>
        <source>Pointilla : capture des clics en cours</source>
        <translation>Pointilla: capturing clicks</translation>
    </message>
    <message>
        <source>Chaque clic gauche fait dans un autre programme ajoute sa position, le clic et la pause qui le précède. F9 ou Échap arrête la capture. Sous XWayland, seuls les clics faits dans les programmes X11 sont vus, pas ceux des programmes Wayland.</source>
        <translation>Each left click made in another program adds its position, the click and the pause before it. F9 or Escape ends the capture. Under XWayland, only clicks made in X11 programs are seen, not those made in Wayland programs.</translation>
    </message>
    <message>
        <source>Chaque clic gauche fait dans un autre programme ajoute sa position, le clic et la pause qui le précède. F9 ou Échap arrête la capture.</source>
        <translation>Each left click made in another program adds its position, the click and the pause before it. F9 or Escape ends the capture.</translation>
    </message>
    <message>
        <source>Indisponible sous Wayland : le bureau ne donne à aucun programme les clics faits dans les autres.</source>
        <translation>Unavailable on Wayland: the desktop gives no program the clicks made in other programs.</translation>
    </message>
    <message>
        <source>Le bureau n&apos;a pas permis d&apos;écouter les clics : la capture des clics n&apos;a pas démarré.</source>
        <translation>The desktop did not allow listening to clicks: click capture did not start.</translation>
    </message>
</context>
<context>
    <name>desktop_messages</name>
    <message>
        <source>Rejouer des scénarios de souris</source>
        <translation>Replay mouse scenarios</translation>
    </message>
    <message>
        <source>Pointilla : arrêter la lecture</source>
        <translation>Pointilla: stop the playback</translation>
    </message>
    <message>
        <source>Pointilla : capturer la position du pointeur</source>
        <translation>Pointilla: capture the pointer position</translation>
    </message>
</context>
<context>
    <name>file_messages</name>
    <message>
        <source>le fichier ou le dossier n&apos;existe pas</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>un élément du chemin n&apos;est pas un dossier</source>
        <translation>part of the path is not a folder</translation>
    </message>
    <message>
        <source>c&apos;est un dossier</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>permission refusée</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>disque plein</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>quota de disque dépassé</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>fichier trop gros pour ce disque ou cette session</source>
        <translation>file too large for this disk or this session</translation>
    </message>
    <message>
        <source>le support est en lecture seule</source>
        <translation>the medium is read-only</translation>
    </message>
    <message>
        <source>nom de fichier trop long</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>trop de liens symboliques</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>erreur d&apos;entrée-sortie</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>trop de fichiers ouverts</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>le fichier est occupé</source>
        <translation>the file is busy</translation>
    </message>
    <message>
        <source>erreur du système n° %1</source>
        <translation>system error no. %1</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier ordinaire (tube, périphérique ou socket)</source>
        <translation>not a regular file (pipe, device or socket)</translation>
    </message>
    <message>
        <source>le fichier dépasse %1 Mio, bien plus qu&apos;un scénario</source>
        <translation>the file is over %1 MiB, far more than a scenario</translation>
    </message>
    <message>
        <source>la ligne %1 contient un caractère (%2) qu&apos;un fichier de scénario ne peut pas contenir</source>
        <translation>row %1 holds a character (%2) that a scenario file cannot hold</translation>
    </message>
    <message>
        <source>ligne vide</source>
        <translation>empty line</translation>
    </message>
    <message>
        <source>aucun séparateur « ¤ »</source>
        <translation>no “¤” separator</translation>
    </message>
    <message>
        <source>second séparateur « ¤ » manquant</source>
        <translation>second “¤” separator missing</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le scénario %1 : %2.</source>
        <translation>Cannot open the scenario %1: %2.</translation>
    </message>
    <message>
        <source>La lecture de %1 s&apos;est arrêtée à la ligne %2 (%3) ; les lignes précédentes ont été chargées.</source>
        <translation>Reading %1 stopped at line %2 (%3); the lines before it were loaded.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer le scénario dans %1 : %2.</source>
        <translation>Cannot save the scenario to %1: %2.</translation>
    </message>
    <message>
        <source>impossible de lire %1 : %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>lecture de %1 arrêtée à la ligne %2 : %3</source>
        <translation>reading %1 stopped at line %2: %3</translation>
    </message>
    <message>
        <source>rien n&apos;a été joué.</source>
        <translation>nothing was played.</translation>
    </message>
    <message>
        <source>note : ligne d&apos;en-tête, libellés %1 et %2</source>
        <translation>note: header line, captions %1 and %2</translation>
    </message>
</context>
<context>
    <name>french_text</name>
    <message>
        <source>«&#xa0;%1&#xa0;»</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>« %1 »</source>
        <translation>“%1”</translation>
    </message>
</context>
<context>
    <name>gnome_helper_messages</name>
    <message>
        <source>Activer le raccourci sur GNOME…</source>
        <translation>Enable the shortcut on GNOME…</translation>
    </message>
    <message>
        <source>Raccourci absent : « Options &gt; Activer le raccourci sur GNOME… » l&apos;installe.</source>
        <translation>Shortcut missing: “Options &gt; Enable the shortcut on GNOME…” installs it.</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell est installée et activée.

Elle prendra effet à la prochaine ouverture de session : fermez la session puis rouvrez-la. Le raccourci de capture, la touche Échap et la position en direct fonctionneront alors (mais pas pendant que l&apos;écran est verrouillé).</source>
        <translation>Pointilla&apos;s GNOME Shell extension is installed and enabled.

It takes effect at your next login: log out, then log in again. The capture hot key, the Escape key and the live position will then work (but not while the screen is locked).</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell n&apos;a pas pu être installée : GNOME Shell est introuvable sur cette machine.</source>
        <translation>Pointilla&apos;s GNOME Shell extension could not be installed: GNOME Shell cannot be found on this machine.</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell n&apos;a pas pu être installée : cette version de GNOME Shell n&apos;est pas prise en charge (%1).</source>
        <translation>Pointilla&apos;s GNOME Shell extension could not be installed: this version of GNOME Shell is not supported (%1).</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell n&apos;a pas pu être installée : ses fichiers manquent à côté du programme (%1).</source>
        <translation>Pointilla&apos;s GNOME Shell extension could not be installed: its files are missing beside the program (%1).</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell n&apos;a pas pu être installée : la copie a échoué (%1).</source>
        <translation>Pointilla&apos;s GNOME Shell extension could not be installed: the copy failed (%1).</translation>
    </message>
    <message>
        <source>L&apos;extension de Pointilla pour GNOME Shell n&apos;a pas pu être installée : elle n&apos;a pas pu être activée (%1).</source>
        <translation>Pointilla&apos;s GNOME Shell extension could not be installed: it could not be enabled (%1).</translation>
    </message>
</context>
<context>
    <name>help_messages</name>
    <message>
        <source>La page d&apos;aide « %1 » est introuvable : l&apos;installation de Pointilla est incomplète.</source>
        <translation>The help page “%1” cannot be found: Pointilla&apos;s installation is incomplete.</translation>
    </message>
    <message>
        <source>La page d&apos;aide « %1 » n&apos;a pas pu être ouverte : aucun navigateur ni programme pour l&apos;afficher n&apos;a pu être lancé.</source>
        <translation>The help page “%1” could not be opened: no browser or other program to show it could be started.</translation>
    </message>
</context>
<context>
    <name>play_messages</name>
    <message>
        <source>Utilisation :
  pointilla-play [--display AFFICHAGE] [--repeat N | --loop] FICHIER.sce
      Joue le scénario sur le bureau de la session (Wayland : sway et les
      autres bureaux wlroots, KDE, GNOME ; sinon X11), ou sur l&apos;affichage X nommé
      par --display ; POINTILLA_BACKEND=x11|wlroots|kwin|gnome en impose un. Comme
      le bouton «&#xa0;start&#xa0;» de Pointilla : déplacements du pointeur, clics du
      bouton gauche, délais en secondes réelles, adresses ouvertes avec
      l&apos;application par défaut (xdg-open). Rend la main à la fin du scénario.
      --repeat N  joue le scénario N fois (1 à 9999), chaque fois depuis la
                  première ligne ;
      --loop      le rejoue sans fin, jusqu&apos;à Échap.
      Huit ouvertures d&apos;adresse au plus tournent à la fois : une ligne « URL »
      attend qu&apos;une se termine (Échap l&apos;arrête) ; une ouverture qui dure plus de
      10 s n&apos;est plus attendue, et un avertissement le dit.
      La touche Échap, quelle que soit la fenêtre active, arrête la lecture
      aussitôt : «&#xa0;Lecture arrêtée à la ligne N&#xa0;» est écrit sur la
      sortie d&apos;erreur (code 6). SIGINT (Ctrl+C) et SIGTERM l&apos;arrêtent après la
      ligne en cours, avec le même message, puis terminent le programme par ce
      signal. Sur un terminal, une ligne de la sortie d&apos;erreur suit la ligne jouée
      et l&apos;attente restante.
  pointilla-play --list FICHIER.sce
      Affiche les lignes du fichier, une par ligne : action, tabulation, détail
      (UTF-8). Les lignes d&apos;en-tête («&#xa0;[&#xa0;») ne sont pas des lignes du
      scénario ; leurs libellés sont signalés sur la sortie d&apos;erreur.
      Les caractères de contrôle d&apos;un fichier sont écrits en clair (\x1b, \n,
      \t...), ici comme sur la ligne de progression.
  pointilla-play --help
      Affiche cette aide.

Rien n&apos;est joué si le fichier est illisible, si sa lecture s&apos;arrête avant la
fin ou si le bureau (affichage X, compositeur Wayland) est indisponible.

</source>
        <translation>Usage:
  pointilla-play [--display DISPLAY] [--repeat N | --loop] FILE.sce
      Plays the scenario on the session&apos;s desktop (Wayland: sway and the
      other wlroots desktops, KDE, GNOME; otherwise X11), or on the X display
      named by --display; POINTILLA_BACKEND=x11|wlroots|kwin|gnome forces one.
      Like Pointilla&apos;s “start” button: pointer moves, left button clicks,
      delays in real seconds, addresses opened with the default application
      (xdg-open). Returns when the scenario ends.
      --repeat N  plays the scenario N times (1 to 9999), each time from the
                  first row;
      --loop      plays it again and again, until Escape.
      At most eight address openings run at once: a “URL” row waits for one
      to end (Escape stops it); an opening that lasts more than 10 s is no
      longer waited for, and a warning says so.
      The Escape key, whatever window is active, stops the playback at once:
      “Playback stopped at row N” is written on standard error (code 6).
      SIGINT (Ctrl+C) and SIGTERM stop it after the current row, with the
      same message, then end the program by that signal. On a terminal, a
      line of standard error follows the row played and the wait left.
  pointilla-play --list FILE.sce
      Shows the file&apos;s rows, one per line: action, tab, detail (UTF-8).
      Header lines (“[”) are not rows of the scenario; their captions are
      reported on standard error.
      Control characters in a file are written out (\x1b, \n, \t...), here
      as on the progress line.
  pointilla-play --help
      Shows this help.

Nothing is played if the file cannot be read, if its reading stops before
the end or if the desktop (X display, Wayland compositor) is unavailable.

</translation>
    </message>
    <message>
        <source>succès</source>
        <translation>success</translation>
    </message>
    <message>
        <source>mauvaise utilisation</source>
        <translation>wrong usage</translation>
    </message>
    <message>
        <source>fichier illisible</source>
        <translation>unreadable file</translation>
    </message>
    <message>
        <source>lecture du fichier arrêtée avant la fin (ligne mal formée)</source>
        <translation>reading of the file stopped before the end (malformed line)</translation>
    </message>
    <message>
        <source>bureau indisponible (affichage X, compositeur Wayland, POINTILLA_BACKEND
     inconnu)</source>
        <translation>desktop unavailable (X display, Wayland compositor, unknown
     POINTILLA_BACKEND)</translation>
    </message>
    <message>
        <source>le bureau ne répond plus pendant la lecture (arrêtée à la ligne dite)</source>
        <translation>the desktop stopped answering during the playback (stopped at the row given)</translation>
    </message>
    <message>
        <source>lecture arrêtée par Échap</source>
        <translation>playback stopped by Escape</translation>
    </message>
    <message>
        <source>--display demande le nom d&apos;un affichage.</source>
        <translation>--display needs the name of a display.</translation>
    </message>
    <message>
        <source>--repeat demande un nombre de 1 à 9999.</source>
        <translation>--repeat needs a number from 1 to 9999.</translation>
    </message>
    <message>
        <source>option inconnue %1.</source>
        <translation>unknown option %1.</translation>
    </message>
    <message>
        <source>un seul fichier de scénario à la fois.</source>
        <translation>only one scenario file at a time.</translation>
    </message>
    <message>
        <source>il manque le fichier de scénario.</source>
        <translation>the scenario file is missing.</translation>
    </message>
    <message>
        <source>--list n&apos;utilise pas d&apos;affichage.</source>
        <translation>--list uses no display.</translation>
    </message>
    <message>
        <source>--repeat et --loop servent à jouer, pas à lister.</source>
        <translation>--repeat and --loop are for playing, not listing.</translation>
    </message>
</context>
<context>
    <name>playback_messages</name>
    <message>
        <source> (passage %1, en boucle)</source>
        <translation> (pass %1, looping)</translation>
    </message>
    <message>
        <source> (passage %1 sur %2)</source>
        <translation> (pass %1 of %2)</translation>
    </message>
    <message>
        <source>Lecture en cours...</source>
        <translation>Playing...</translation>
    </message>
    <message>
        <source>Lecture terminée</source>
        <translation>Playback finished</translation>
    </message>
    <message>
        <source>encore %1 s</source>
        <translation>%1 s left</translation>
    </message>
    <message>
        <source>%1 – ligne %2 sur %3</source>
        <translation>%1 – row %2 of %3</translation>
    </message>
    <message>
        <source>Ligne %1 sur %2%3 : %4</source>
        <translation>Row %1 of %2%3: %4</translation>
    </message>
    <message>
        <source>Lecture arrêtée à la ligne %1</source>
        <translation>Playback stopped at row %1</translation>
    </message>
    <message>
        <source>Le bureau ne répond plus : lecture arrêtée à la ligne %1</source>
        <translation>The desktop stopped answering: playback stopped at row %1</translation>
    </message>
    <message>
        <source>Le bureau ne répond plus : Pointilla s&apos;arrête.</source>
        <translation>The desktop stopped answering: Pointilla is closing.</translation>
    </message>
    <message>
        <source>Ligne %1 : impossible de lancer l&apos;ouverture de %2, la lecture continue.</source>
        <translation>Row %1: the opening of %2 could not be started; the playback goes on.</translation>
    </message>
    <message>
        <source>Ouverture non terminée après %1 s, la lecture continue sans l&apos;attendre : %2</source>
        <translation>Opening not finished after %1 s; the playback goes on without waiting for it: %2</translation>
    </message>
</context>
<context>
    <name>privacy_messages</name>
    <message>
        <source>le dossier %1 appartient à un autre utilisateur (n° %2) ; Pointilla ne s&apos;en sert pas et n&apos;y touche pas</source>
        <translation>the folder %1 belongs to another user (no. %2); Pointilla neither uses it nor touches it</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un dossier ; Pointilla ne s&apos;en sert pas et n&apos;y touche pas</source>
        <translation>%1 is not a folder; Pointilla neither uses it nor touches it</translation>
    </message>
    <message>
        <source>le dossier %1 n&apos;a pas pu être créé (erreur du système n° %3)</source>
        <translation>the folder %1 could not be created (system error no. %3)</translation>
    </message>
    <message>
        <source>le verrou %1 appartient à un autre utilisateur (n° %2) ; Pointilla ne le suit pas et ne le supprime pas</source>
        <translation>the lock %1 belongs to another user (no. %2); Pointilla neither follows it nor deletes it</translation>
    </message>
    <message>
        <source>le socket %1 appartient à un autre utilisateur (n° %2) ; Pointilla ne le suit pas et ne le supprime pas</source>
        <translation>the socket %1 belongs to another user (no. %2); Pointilla neither follows it nor deletes it</translation>
    </message>
    <message>
        <source>le programme qui écoute sur %1 tourne sous un autre utilisateur (n° %2) ; Pointilla ne lui transmet rien</source>
        <translation>the program listening on %1 runs as another user (no. %2); Pointilla hands it nothing</translation>
    </message>
    <message>
        <source>Pointilla démarre sans pouvoir s&apos;assurer qu&apos;il est seul sur cet écran : %1.</source>
        <translation>Pointilla starts without being able to make sure it is alone on this screen: %1.</translation>
    </message>
    <message>
        <source>un autre Pointilla tourne déjà sur cet écran mais ne répond pas.</source>
        <translation>another Pointilla is already running on this screen but does not answer.</translation>
    </message>
    <message>
        <source>Trellis : le registre %1 pouvait être lu par d&apos;autres utilisateurs (droits %2) ; il est désormais réservé à son propriétaire (droits %3).</source>
        <translation>Trellis: the registry %1 could be read by other users (permissions %2); it is now kept to its owner (permissions %3).</translation>
    </message>
</context>
<context>
    <name>startup_messages</name>
    <message>
        <source>%1 ou %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>Aucun affichage X : la variable DISPLAY n&apos;est pas définie.</source>
        <translation>No X display: the DISPLAY variable is not set.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir l&apos;affichage X %1 : il n&apos;existe pas ou refuse la connexion.</source>
        <translation>Cannot open the X display %1: it does not exist or refuses the connection.</translation>
    </message>
    <message>
        <source>L&apos;affichage X %1 n&apos;offre pas l&apos;extension XTEST : impossible d&apos;y simuler la souris.</source>
        <translation>The X display %1 does not offer the XTEST extension: the mouse cannot be simulated there.</translation>
    </message>
    <message>
        <source>Windows n&apos;a qu&apos;un seul bureau : l&apos;affichage %1 ne peut pas se choisir.</source>
        <translation>Windows has a single desktop: the display %1 cannot be chosen.</translation>
    </message>
    <message>
        <source>Le compositeur Wayland %2 n&apos;offre pas %3 : impossible d&apos;y simuler la souris.</source>
        <translation>The Wayland compositor %2 does not offer %3: the mouse cannot be simulated there.</translation>
    </message>
    <message>
        <source>Impossible de joindre le compositeur Wayland %1 : il n&apos;existe pas ou refuse la connexion.</source>
        <translation>Cannot reach the Wayland compositor %1: it does not exist or refuses the connection.</translation>
    </message>
    <message>
        <source>POINTILLA_BACKEND vaut %1 : choisir %4.</source>
        <translation>POINTILLA_BACKEND is %1: choose %4.</translation>
    </message>
    <message>
        <source>Cette version de Pointilla est construite sans bureau Wayland natif : impossible de simuler la souris sur le compositeur %1.</source>
        <translation>This version of Pointilla is built without native Wayland desktops: the mouse cannot be simulated on the compositor %1.</translation>
    </message>
    <message>
        <source>%1 Pointilla passe par XWayland : seules les fenêtres XWayland seront atteintes.</source>
        <translation>%1 Pointilla goes through XWayland: only XWayland windows will be reached.</translation>
    </message>
    <message>
        <source>Le contrôle de registre %1 n&apos;est pas enregistré et la bibliothèque %2 n&apos;a pas pu l&apos;être.</source>
        <translation>The registry control %1 is not registered and the library %2 could not be registered.</translation>
    </message>
    <message>
        <source>Le contrôle de registre %1 n&apos;a pas pu être créé.</source>
        <translation>The registry control %1 could not be created.</translation>
    </message>
</context>
<context>
    <name>store_messages</name>
    <message>
        <source>le fichier du registre %1 est occupé : un autre programme y écrit</source>
        <translation>the registry file %1 is busy: another program is writing to it</translation>
    </message>
    <message>
        <source>le fichier du registre %1 est en lecture seule</source>
        <translation>the registry file %1 is read-only</translation>
    </message>
    <message>
        <source>le disque qui porte le fichier du registre %1 est plein</source>
        <translation>the disk that holds the registry file %1 is full</translation>
    </message>
    <message>
        <source>le fichier du registre %1 est endommagé</source>
        <translation>the registry file %1 is damaged</translation>
    </message>
    <message>
        <source>le fichier du registre %1 est endommagé (%2)</source>
        <translation>the registry file %1 is damaged (%2)</translation>
    </message>
    <message>
        <source>mémoire insuffisante pour le fichier du registre %1</source>
        <translation>not enough memory for the registry file %1</translation>
    </message>
    <message>
        <source>le fichier du registre %1 ne peut être ni lu ni écrit</source>
        <translation>the registry file %1 can be neither read nor written</translation>
    </message>
    <message>
        <source>le fichier du registre %1 ne peut être ni lu ni écrit (%2)</source>
        <translation>the registry file %1 can be neither read nor written (%2)</translation>
    </message>
    <message>
        <source>impossible d&apos;ouvrir le fichier du registre %1 : %2</source>
        <translation>cannot open the registry file %1: %2</translation>
    </message>
    <message>
        <source>le fichier du registre %1 est en lecture seule et ne contient pas encore de registre</source>
        <translation>the registry file %1 is read-only and holds no registry yet</translation>
    </message>
    <message>
        <source>le registre a échoué avec le code %1</source>
        <translation>the registry failed with code %1</translation>
    </message>
    <message>
        <source>une clé ne peut se trouver à plus de %1 niveaux sous sa racine (celle-ci serait au niveau %2)</source>
        <translation>a key cannot be more than %1 levels below its root (this one would be at level %2)</translation>
    </message>
</context>
<context>
    <name>tool_voice</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Codes de sortie :</source>
        <translation>Exit codes:</translation>
    </message>
    <message>
        <source>Essayez %1.</source>
        <translation>Try %1.</translation>
    </message>
</context>
<context>
    <name>trellis_messages</name>
    <message>
        <source>%1 : %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>le chemin de la clé n&apos;est pas acceptable</source>
        <translation>the key&apos;s path is not acceptable</translation>
    </message>
    <message>
        <source>la sous-clé n&apos;a pas pu être créée ou supprimée</source>
        <translation>the subkey could not be created or deleted</translation>
    </message>
    <message>
        <source>la valeur ne peut pas être lue</source>
        <translation>the value cannot be read</translation>
    </message>
    <message>
        <source>la valeur ne peut pas être écrite</source>
        <translation>the value cannot be written</translation>
    </message>
    <message>
        <source>le dossier de sauvegarde n&apos;existe pas</source>
        <translation>the backup folder does not exist</translation>
    </message>
    <message>
        <source>erreur d&apos;exécution : appel de procédure incorrect</source>
        <translation>run-time error: invalid procedure call</translation>
    </message>
    <message>
        <source>erreur d&apos;exécution : mémoire insuffisante</source>
        <translation>run-time error: out of memory</translation>
    </message>
    <message>
        <source>erreur d&apos;exécution %1</source>
        <translation>run-time error %1</translation>
    </message>
    <message>
        <source>ce n&apos;est pas un fichier de registre : la première ligne doit être REGEDIT4 ou « Windows Registry Editor Version 5.00 »</source>
        <translation>not a registry file: the first line must be REGEDIT4 or “Windows Registry Editor Version 5.00”</translation>
    </message>
    <message>
        <source>un fichier UTF-8 : un fichier .REG est un texte Windows-1252, ou UTF-16LE avec sa marque d&apos;ordre des octets ; enregistrez-le dans l&apos;un de ces codages</source>
        <translation>a UTF-8 file: a .REG file is Windows-1252 text, or UTF-16LE with its byte order mark; save it in one of these encodings</translation>
    </message>
    <message>
        <source>un fichier UTF-16 gros-boutiste : un fichier .REG est un texte Windows-1252, ou UTF-16LE avec sa marque d&apos;ordre des octets ; enregistrez-le dans l&apos;un de ces codages</source>
        <translation>a big-endian UTF-16 file: a .REG file is Windows-1252 text, or UTF-16LE with its byte order mark; save it in one of these encodings</translation>
    </message>
    <message>
        <source>le fichier UTF-16 se termine au milieu d&apos;un caractère</source>
        <translation>the UTF-16 file ends in the middle of a character</translation>
    </message>
    <message>
        <source>le caractère %1 ne peut pas être enregistré : le registre ne garde que du texte Windows-1252</source>
        <translation>the character %1 cannot be stored: the registry keeps only Windows-1252 text</translation>
    </message>
    <message>
        <source>une ligne de clé doit se terminer par « ] »</source>
        <translation>a key line must end with “]”</translation>
    </message>
    <message>
        <source>du texte après le « ] » de la clé : %1</source>
        <translation>text after the key&apos;s “]”: %1</translation>
    </message>
    <message>
        <source>racine inconnue %2</source>
        <translation>unknown root %2</translation>
    </message>
    <message>
        <source>nom de clé vide dans %1</source>
        <translation>empty key name in %1</translation>
    </message>
    <message>
        <source>une racine entière ne peut pas être supprimée : %1</source>
        <translation>a whole root cannot be deleted: %1</translation>
    </message>
    <message>
        <source>un caractère NUL dans le chemin de la clé</source>
        <translation>a NUL character in the key&apos;s path</translation>
    </message>
    <message>
        <source>un caractère NUL dans le nom de la valeur</source>
        <translation>a NUL character in the value&apos;s name</translation>
    </message>
    <message>
        <source>ni une clé entre [ ], ni une valeur (&quot;nom&quot;= ou @=), ni un commentaire après ;, ni une ligne vide</source>
        <translation>neither a key in [ ], nor a value (&quot;name&quot;= or @=), nor a comment after ;, nor an empty line</translation>
    </message>
    <message>
        <source>une valeur avant toute clé</source>
        <translation>a value before any key</translation>
    </message>
    <message>
        <source>une valeur sous une clé que le fichier supprime</source>
        <translation>a value under a key that the file deletes</translation>
    </message>
    <message>
        <source>le nom de la valeur n&apos;a pas de guillemet fermant</source>
        <translation>the value&apos;s name has no closing quotation mark</translation>
    </message>
    <message>
        <source>un nom de valeur de %1 caractères (Windows en permet 16 383)</source>
        <translation>a value name of %1 characters (Windows allows 16,383)</translation>
    </message>
    <message>
        <source>« = » attendu après le nom de la valeur</source>
        <translation>“=” expected after the value&apos;s name</translation>
    </message>
    <message>
        <source>« \%1 » entre guillemets : seuls \\ et \&quot; sont des échappements</source>
        <translation>“\%1” in quotation marks: only \\ and \&quot; are escapes</translation>
    </message>
    <message>
        <source>données d&apos;un type inconnu : &quot;texte&quot;, dword:, hex: ou hex(type): attendu</source>
        <translation>data of an unknown type: &quot;text&quot;, dword:, hex: or hex(type): expected</translation>
    </message>
    <message>
        <source>le texte n&apos;a pas de guillemet fermant sur sa ligne</source>
        <translation>the text has no closing quotation mark on its line</translation>
    </message>
    <message>
        <source>du texte après les données de la valeur (un commentaire commence par ;)</source>
        <translation>text after the value&apos;s data (a comment starts with ;)</translation>
    </message>
    <message>
        <source>un dword s&apos;écrit avec 1 à 8 chiffres hexadécimaux</source>
        <translation>a dword is written with 1 to 8 hexadecimal digits</translation>
    </message>
    <message>
        <source>hex(type) mal formé : hex: ou hex(1 à 8 chiffres hexadécimaux): attendu</source>
        <translation>malformed hex(type): hex: or hex(1 to 8 hexadecimal digits): expected</translation>
    </message>
    <message>
        <source>octets hexadécimaux mal formés : de 00 à ff chacun, séparés par des virgules, et « ,\ » pour continuer sur la ligne suivante</source>
        <translation>malformed hexadecimal bytes: 00 to ff each, separated by commas, and “,\” to go on to the next line</translation>
    </message>
    <message>
        <source>octets hexadécimaux attendus : la ligne précédente se termine par « ,\ »</source>
        <translation>hexadecimal bytes expected: the line before ends with “,\”</translation>
    </message>
    <message>
        <source>une barre oblique inverse en fin de ligne ne continue que des données hexadécimales</source>
        <translation>a backslash at the end of a line only continues hexadecimal data</translation>
    </message>
    <message>
        <source>un nombre impair d&apos;octets dans le texte d&apos;un fichier UTF-16 (hex(1), hex(2) et hex(7) y comptent deux octets par caractère)</source>
        <translation>an odd number of bytes in the text of a UTF-16 file (hex(1), hex(2) and hex(7) count two bytes per character there)</translation>
    </message>
    <message>
        <source>fichier mal formé</source>
        <translation>malformed file</translation>
    </message>
    <message>
        <source>Utilisation :
  trellis get CLÉ NOM
  trellis get-dword CLÉ NOM
  trellis set CLÉ NOM TEXTE
  trellis set-dword CLÉ NOM NOMBRE
  trellis exists CLÉ NOM [TYPE]
  trellis create CLÉ SOUS-CLÉ
  trellis delete CLÉ SOUS-CLÉ
  trellis export CLÉ DOSSIER FICHIER
  trellis import [--allow-classes] FICHIER
  trellis register [BIBLIOTHÈQUE]
  trellis unregister [BIBLIOTHÈQUE]
CLÉ est le chemin d&apos;une clé, par exemple HKEY_CURRENT_USER\Software\Exemple.
import refuse un fichier qui enregistre un programme que les outils lancent (le
serveur d&apos;une classe, l&apos;outil de la boîte « À propos ») sauf avec --allow-classes.
</source>
        <translation>Usage:
  trellis get KEY NAME
  trellis get-dword KEY NAME
  trellis set KEY NAME TEXT
  trellis set-dword KEY NAME NUMBER
  trellis exists KEY NAME [TYPE]
  trellis create KEY SUBKEY
  trellis delete KEY SUBKEY
  trellis export KEY FOLDER FILE
  trellis import [--allow-classes] FILE
  trellis register [LIBRARY]
  trellis unregister [LIBRARY]
KEY is the path of a key, for example HKEY_CURRENT_USER\Software\Example.
import refuses a file that registers a program the tools start (a class&apos;s
server, the About box&apos;s tool) unless given --allow-classes.
</translation>
    </message>
    <message>
        <source>succès</source>
        <translation>success</translation>
    </message>
    <message>
        <source>échec : un RegError, une réponse False, le registre ou le contrôle en défaut</source>
        <translation>failure: a RegError, a False answer, the registry or the control failing</translation>
    </message>
    <message>
        <source>mauvaise utilisation</source>
        <translation>wrong usage</translation>
    </message>
    <message>
        <source>Le registre est $TRELLIS_REGISTRY, sinon ${XDG_DATA_HOME:-~/.local/share}/trellis/registry.db.
</source>
        <translation>The registry is $TRELLIS_REGISTRY, else ${XDG_DATA_HOME:-~/.local/share}/trellis/registry.db.
</translation>
    </message>
    <message>
        <source>register et unregister agissent pour l&apos;utilisateur courant.
</source>
        <translation>register and unregister act for the current user.
</translation>
    </message>
    <message>
        <source>sous Windows, un fichier .REG s&apos;importe avec : reg import %1</source>
        <translation>on Windows, a .REG file is imported with: reg import %1</translation>
    </message>
    <message>
        <source>il manque la commande.</source>
        <translation>the command is missing.</translation>
    </message>
    <message>
        <source>commande inconnue %1.</source>
        <translation>unknown command %1.</translation>
    </message>
    <message>
        <source>mauvais nombre d&apos;arguments pour %1.</source>
        <translation>wrong number of arguments for %1.</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un nombre de 32 bits.</source>
        <translation>%1 is not a 32-bit number.</translation>
    </message>
    <message>
        <source>%1 n&apos;est pas un type de valeur.</source>
        <translation>%1 is not a value type.</translation>
    </message>
    <message>
        <source>RegError %1 : %2</source>
        <translation>RegError %1: %2</translation>
    </message>
    <message>
        <source>le contrôle a refusé la clé %1.</source>
        <translation>the control refused the key %1.</translation>
    </message>
    <message>
        <source>l&apos;appel au contrôle a échoué.</source>
        <translation>the call to the control failed.</translation>
    </message>
    <message>
        <source>%1 a échoué.</source>
        <translation>%1 failed.</translation>
    </message>
    <message>
        <source>impossible de lire %1 : %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>%1 : refusé : la valeur par défaut de %2 désigne un programme que les outils lanceraient ; enregistrez le contrôle avec « trellis register », ou importez avec --allow-classes si ce fichier est sûr</source>
        <translation>%1: refused: the default value of %2 names a program that the tools would start; register the control with “trellis register”, or import with --allow-classes if this file is safe</translation>
    </message>
    <message>
        <source>%1 : refusé : la valeur %3 de %2 désigne un programme que les outils lanceraient ; enregistrez le contrôle avec « trellis register », ou importez avec --allow-classes si ce fichier est sûr</source>
        <translation>%1: refused: the value %3 of %2 names a program that the tools would start; register the control with “trellis register”, or import with --allow-classes if this file is safe</translation>
    </message>
    <message>
        <source>le registre n&apos;est pas disponible</source>
        <translation>the registry is not available</translation>
    </message>
    <message>
        <source>impossible de supprimer %1</source>
        <translation>cannot delete %1</translation>
    </message>
    <message>
        <source>impossible de créer %1</source>
        <translation>cannot create %1</translation>
    </message>
    <message>
        <source>impossible d&apos;écrire la valeur %1 sous %2</source>
        <translation>cannot write the value %1 under %2</translation>
    </message>
    <message>
        <source>le registre a refusé l&apos;import</source>
        <translation>the registry refused the import</translation>
    </message>
    <message>
        <source>impossible de charger la bibliothèque %1 : %2</source>
        <translation>cannot load the library %1: %2</translation>
    </message>
    <message>
        <source>la bibliothèque %1 n&apos;exporte pas %2</source>
        <translation>the library %1 does not export %2</translation>
    </message>
    <message>
        <source>%1 a échoué : %2</source>
        <translation>%1 failed: %2</translation>
    </message>
    <message>
        <source>la classe %1 n&apos;est pas enregistrée (lancez : trellis register)</source>
        <translation>the class %1 is not registered (run: trellis register)</translation>
    </message>
    <message>
        <source>l&apos;enregistrement de %1 contient un identifiant de classe mal formé</source>
        <translation>the registration of %1 holds a malformed class identifier</translation>
    </message>
    <message>
        <source>la classe %1 ne nomme aucun serveur en processus</source>
        <translation>the class %1 names no in-process server</translation>
    </message>
    <message>
        <source>COM n&apos;a pas pu être initialisé pour ce fil d&apos;exécution</source>
        <translation>COM could not be initialised on this thread</translation>
    </message>
    <message>
        <source>la création de %1 a échoué : %2</source>
        <translation>creating %1 failed: %2</translation>
    </message>
</context>
<context>
    <name>window_messages</name>
    <message>
        <source>Le scénario a été modifié. Voulez-vous l&apos;enregistrer ?</source>
        <translation>The scenario has changed. Do you want to save it?</translation>
    </message>
    <message>
        <source>Le scénario a été modifié. Voulez-vous l&apos;enregistrer avant de quitter ?</source>
        <translation>The scenario has changed. Do you want to save it before quitting?</translation>
    </message>
    <message>
        <source>Voulez-vous quitter ?</source>
        <translation>Do you want to quit?</translation>
    </message>
    <message>
        <source>Placez le pointeur sur la cible dans les 3 secondes</source>
        <translation>Put the pointer on the target within 3 seconds</translation>
    </message>
    <message>
        <source>Les coordonnées X et Y doivent être des nombres entiers.</source>
        <translation>The X and Y coordinates must be whole numbers.</translation>
    </message>
    <message>
        <source>Les informations système ne sont pas disponibles actuellement</source>
        <translation>System information is not available at the moment</translation>
    </message>
    <message>
        <source>Réglages de Pointilla</source>
        <translation>Pointilla settings</translation>
    </message>
    <message>
        <source>Pointilla démarre avec ses réglages par défaut ; les changements ne seront pas conservés.</source>
        <translation>Pointilla starts with its default settings; changes will not be kept.</translation>
    </message>
    <message>
        <source>usage : pointilla [--platform x11] [FICHIER.sce]</source>
        <translation>usage: pointilla [--platform x11] [FILE.sce]</translation>
    </message>
</context>
</TS>
