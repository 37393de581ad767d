// What the shell helper asks of GNOME Shell, recorded: the display's grabs and
// signal, the pointer, the primary monitor at (100, 50), the window manager's
// keybinding modes.
export const shell = {
    pointer: [0, 0, 0],
    grabbed: {},
    allowed: [],
    handlers: 0,
    activated: null,
    activate(action) {
        this.activated?.(null, action);
    },
};

let nextAction = 40;
globalThis.global = {
    display: {
        grab_accelerator(accelerator) {
            if (accelerator.includes('taken'))
                return 0;
            shell.grabbed[++nextAction] = accelerator;
            return nextAction;
        },
        ungrab_accelerator(action) {
            delete shell.grabbed[action];
            return true;
        },
        connect(signal, handler) {
            shell.activated = handler;
            shell.handlers++;
            return 1;
        },
        disconnect() {
            shell.activated = null;
            shell.handlers--;
        },
        get_primary_monitor: () => 0,
        get_monitor_geometry: () => ({x: 100, y: 50, width: 1280, height: 1024}),
    },
    get_pointer: () => shell.pointer,
};

export const Meta = {
    KeyBindingFlags: {IGNORE_AUTOREPEAT: 1},
    KeyBindingAction: {NONE: 0},
    external_binding_name_for_action: action => `external-grab-${action}`,
};
export const Shell = {ActionMode: {ALL: -1}};
export const wm = {allowKeybinding: (name, mode) => shell.allowed.push([name, mode])};
export class Extension {
    constructor(metadata) {
        this.metadata = metadata;
    }
}
