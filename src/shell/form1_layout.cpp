// The main window's controls, menus and toolbar, placed as designed in twips.

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUndoStack>

#include "editing/creation_panel.h"
#include "editing/design_label.h"
#include "editing/scenario_model.h"
#include "editing/twips.h"
#include "shell/form1.h"
#include "shell/tray/app_icon.h"

namespace pointilla::shell {

using editing::makeLabel;
using editing::twipsRect;
using editing::twipsSize;

namespace {

// Client area: 7695 x 7215 twips.
constexpr int kClientWidth = 7695;
constexpr int kClientHeight = 7215;

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(place);
    return frame;
}

// The pointer display's font: "MS Sans Serif" bold 13.5 points, or the
// desktop's sans-serif bold of that size where that font is missing.
QFont pointerDisplayFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(13.5);
    font.setBold(true);
    return font;
}

QAction* addNamedAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction* addNamedSeparator(QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

QMenu* makeMenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QApplication::style()->standardIcon(fallback));
}

QTimer* makeTimer(QObject* parent, const char* name, int intervalMs) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(intervalMs);
    return timer;
}

}  // namespace

void Form1::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsSize(kClientWidth, kClientHeight));
    setCentralWidget(client);

    buildToolbar(client);
    buildPointerDisplay(client);

    Frame1 = new editing::CreationPanel(*model_, client);
    Frame1->setGeometry(twipsRect(120, 2160, 3495, 4575));
    Combo1 = Frame1->Combo1;
    Combo2 = Frame1->Combo2;
    Combo3 = Frame1->Combo3;
    Combo4 = Frame1->Combo4;
    Command1 = Frame1->Command1;
    Command2 = Frame1->Command2;
    Command3 = Frame1->Command3;
    Text1 = Frame1->Text1;
    Label1 = Frame1->Label1;
    Label2 = Frame1->Label2;
    Label5 = Frame1->Label5;
    Label6 = Frame1->Label6;
    Label7 = Frame1->Label7;
    Label8 = Frame1->Label8;
    Label9 = Frame1->Label9;

    buildScenarioFrame(client);
    buildStatusBar(client);

    // Outside the client area: never visible.
    Label12 = makeLabel(client, "Label12", QString(), twipsRect(9000, 3120, 2295, 255));
    replogiciel = makeLabel(client, "replogiciel", QString(), twipsRect(9000, 2400, 1935, 255));

    Timer4 = makeTimer(this, "Timer4", 1000);
}

void Form1::buildPointerDisplay(QWidget* client) {
    Frame3 =
        makeFrame(client, "Frame3", tr("Position de la souris"), twipsRect(120, 720, 3495, 1335));
    const QFont font = pointerDisplayFont();
    Label10 = makeLabel(Frame3, "Label10", tr("En X :"), twipsRect(120, 360, 1095, 375));
    Label3 = makeLabel(Frame3, "Label3", QString(), twipsRect(1440, 360, 1575, 375));
    Label11 = makeLabel(Frame3, "Label11", tr("En Y :"), twipsRect(120, 840, 1215, 375));
    Label4 = makeLabel(Frame3, "Label4", QString(), twipsRect(1440, 840, 1455, 375));
    for (QLabel* label : {Label10, Label3, Label11, Label4}) label->setFont(font);
}

void Form1::buildScenarioFrame(QWidget* client) {
    Frame2 =
        makeFrame(client, "Frame2", tr("Détail du Scénario"), twipsRect(3720, 720, 3855, 6015));
    LV1 = new QTreeView(Frame2);
    LV1->setObjectName(QStringLiteral("LV1"));
    LV1->setGeometry(twipsRect(120, 360, 3615, 5535));
    LV1->setModel(model_);
    LV1->setRootIsDecorated(false);
    LV1->setItemsExpandable(false);
    LV1->setUniformRowHeights(true);
    LV1->setAllColumnsShowFocus(true);
    LV1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LV1->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV1->header()->setSectionsMovable(false);
    LV1->header()->setStretchLastSection(false);
    LV1->setColumnWidth(editing::ScenarioModel::ActionColumn, editing::twipsToPixels(1775));
    LV1->setColumnWidth(editing::ScenarioModel::DetailColumn, editing::twipsToPixels(1780));
    LV1->setContextMenuPolicy(Qt::NoContextMenu);
}

void Form1::buildStatusBar(QWidget* client) {
    SB1 = new QStatusBar(client);
    SB1->setObjectName(QStringLiteral("SB1"));
    SB1->setGeometry(twipsRect(0, 6840, 7695, 375));
    SB1->setSizeGripEnabled(false);
    panel1_ = new QLabel(SB1);
    panel1_->setObjectName(QStringLiteral("SB1_Panel1"));
    panel2_ = new QLabel(SB1);
    panel2_->setObjectName(QStringLiteral("SB1_Panel2"));
    panel3_ = new QLabel(SB1);
    panel3_->setObjectName(QStringLiteral("SB1_Panel3"));
    // Room for the longest wait, so the panels do not move as it counts down.
    panel3_->setContentsMargins(0, 0, 6, 0);
    panel3_->setMinimumWidth(
        panel3_->fontMetrics().horizontalAdvance(QStringLiteral("encore 60 s")) + 6);
    panel3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SB1->addWidget(panel1_, 1);
    SB1->addWidget(panel2_, 1);
    SB1->addWidget(panel3_);
}

void Form1::buildToolbar(QWidget* client) {
    TB1 = new QToolBar(client);
    TB1->setObjectName(QStringLiteral("TB1"));
    TB1->setGeometry(twipsRect(0, 0, 7695, 600));
    TB1->setMovable(false);
    TB1->setFloatable(false);
    TB1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    TB1->setIconSize(QSize(24, 24));

    struct Button {
        const char* key;
        QString tooltip;
        const char* theme;  // nullptr: the program's own picture
        QStyle::StandardPixmap fallback;
    };
    const Button buttons[] = {
        {"start", tr("Démarrer la lecture du scénario"), "media-playback-start",
         QStyle::SP_MediaPlay},
        {"ouvrir", tr("Ouvrir un scénario"), "document-open", QStyle::SP_DialogOpenButton},
        {"enre", tr("Enregistrer un scénario"), "document-save", QStyle::SP_DialogSaveButton},
        {nullptr, {}, nullptr, {}},
        {"tray", tr("Réduire la fenêtre"), nullptr, {}},
        {nullptr, {}, nullptr, {}},
        {"aide", tr("Aide"), "help-contents", QStyle::SP_MessageBoxQuestion},
        {"quitter", tr("Quitter"), "application-exit", QStyle::SP_DialogCloseButton},
    };
    for (const Button& button : buttons) {
        if (button.key == nullptr) {
            TB1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(button.key);
        const QIcon icon = button.theme != nullptr ? themedIcon(button.theme, button.fallback)
                                                   : windowToTrayIcon();
        QAction* action = TB1->addAction(icon, button.tooltip);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(button.tooltip);
    }
    connect(TB1, &QToolBar::actionTriggered, this,
            [this](QAction* action) { TB1_ButtonClick(action->data().toString()); });
}

// "Annuler" and "Rétablir" take back and make again the changes to the rows,
// from "Fichier", the list's pop-up menu and anywhere in the window (a text
// box keeps its own Ctrl+Z).
void Form1::buildHistoryEntries() {
    QUndoStack& history = model_->history();
    undo_ = new QAction(tr("Annuler", "takes back the last change"), this);
    undo_->setObjectName(QStringLiteral("annuler"));
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undo_->setEnabled(history.canUndo());
    connect(undo_, &QAction::triggered, &history, &QUndoStack::undo);
    connect(&history, &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    redo_ = new QAction(tr("Rétablir"), this);
    redo_->setObjectName(QStringLiteral("retablir"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    redo_->setEnabled(history.canRedo());
    connect(redo_, &QAction::triggered, &history, &QUndoStack::redo);
    connect(&history, &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    // Alt and the underlined letter open a menu: F, O and "?" itself.
    fichi = makeMenu(this, "fichi", tr("&Fichier"));
    QAction* ouv = addNamedAction(fichi, "ouv", tr("Ouvrir un scénario"));
    ouv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(ouv, &QAction::triggered, this, &Form1::ouvrir);
    QAction* enr = addNamedAction(fichi, "enr", tr("Enregistrer un scénario"));
    enr->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(enr, &QAction::triggered, this, &Form1::enregistre);
    addNamedSeparator(fichi, "sepedit");
    buildHistoryEntries();
    fichi->addAction(undo_);
    fichi->addAction(redo_);
    addNamedSeparator(fichi, "seplecture");
    QAction* demarrer = addNamedAction(fichi, "demarrer", tr("Démarrer la lecture"));
    demarrer->setShortcut(QKeySequence(Qt::Key_F5));
    connect(demarrer, &QAction::triggered, this, &Form1::start);
    // Escape itself is watched globally while playing; the text only shows it.
    arret_ = addNamedAction(fichi, "arret", tr("Arrêter la lecture\tÉchap"));
    arret_->setEnabled(false);
    connect(arret_, &QAction::triggered, this, &Form1::arreter);
    addNamedSeparator(fichi, "sep3");
    QAction* quit = addNamedAction(fichi, "quit", tr("Quitter"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    bar->addMenu(fichi);

    options = makeMenu(this, "options", tr("&Options"));
    redlecture_ =
        addNamedAction(options, "redlecture", tr("Réduire la fenêtre lors d'une lecture"));
    redlecture_->setCheckable(true);
    // The check mark follows the stored value, not the click.
    connect(redlecture_, &QAction::triggered, this, &Form1::redlecture_Click);
    connect(addNamedAction(options, "repeter", tr("Répéter la lecture...")), &QAction::triggered,
            this, &Form1::repeter_Click);
    bar->addMenu(options);

    ap = makeMenu(this, "ap", tr("&?"));
    QAction* aid = addNamedAction(ap, "aid", tr("Aide"));
    aid->setShortcut(QKeySequence(Qt::Key_F1));
    connect(aid, &QAction::triggered, this, &Form1::aid_Click);
    addNamedSeparator(ap, "sep1");
    connect(addNamedAction(ap, "apropos", tr("A propos")), &QAction::triggered, this,
            &Form1::apropos_Click);
    bar->addMenu(ap);
    // F10 goes to the menu bar, its first menu open.
    auto* toMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), this);
    toMenuBar->setObjectName(QStringLiteral("versMenus"));
    connect(toMenuBar, &QShortcut::activated, this,
            [bar, this] { bar->setActiveAction(fichi->menuAction()); });

    // Hidden menus: they only ever show as pop-ups. Their entries are wired
    // by the list commands and the tray icon.
    mnuflottant = makeMenu(this, "mnuflottant", QStringLiteral("mnflottant"));
    inser = makeMenu(mnuflottant, "inser", tr("Insérer"));
    addNamedAction(inser, "pos", tr("Position souris"));
    addNamedAction(inser, "clic", tr("Clic souris"));
    addNamedAction(inser, "dela", tr("Délai"));
    addNamedAction(inser, "url", tr("URL"));
    mnuflottant->addMenu(inser);
    addNamedAction(mnuflottant, "modi", tr("Modifier"));
    QAction* supp = addNamedAction(mnuflottant, "supp", tr("Supprimer"));
    // Only while the list has the focus (the list carries the entry too).
    supp->setShortcut(QKeySequence(Qt::Key_Delete));
    supp->setShortcutContext(Qt::WidgetShortcut);
    addNamedSeparator(mnuflottant, "sep2");
    addNamedAction(mnuflottant, "vide", tr("Vider le scénario"));
    addNamedSeparator(mnuflottant, "sephistoire");
    mnuflottant->addAction(undo_);
    mnuflottant->addAction(redo_);

    mnuIcone = makeMenu(this, "mnuIcone", QStringLiteral("Menu Icone"));
    addNamedAction(mnuIcone, "aff", tr("Afficher Pointilla"));
    arretIcone_ = addNamedAction(mnuIcone, "arreticone", tr("Arrêter la lecture"));
    arretIcone_->setEnabled(false);
    connect(arretIcone_, &QAction::triggered, this, &Form1::arreter);
    addNamedSeparator(mnuIcone, "sep4");
    connect(addNamedAction(mnuIcone, "qu", tr("Quitter")), &QAction::triggered, this,
            &QWidget::close);
}

}  // namespace pointilla::shell
