// Pointilla's GNOME Shell helper: a narrow session-bus service that tells
// Pointilla where the pointer is and lets it bind the capture hot key and
// Escape, which GNOME before 48 offers to no program. It binds nothing on its
// own: every grab belongs to the bus client that asked for it, and ends with
// that client's connection.
//
// Written once for both kinds of extension: GNOME 43-44 load this file through
// `imports`, GNOME 45-47 as an ES module (the build appends the export), so it
// imports nothing itself and is handed what it needs.

const kBusName = 'org.pointilla.ShellHelper';
const kObjectPath = '/org/pointilla/ShellHelper';
const kInterfaceXml = `
<node>
  <interface name="org.pointilla.ShellHelper">
    <method name="GetPosition">
      <arg type="i" direction="out" name="x"/>
      <arg type="i" direction="out" name="y"/>
      <arg type="u" direction="out" name="modifiers"/>
    </method>
    <method name="Bind">
      <arg type="s" direction="in" name="accelerator"/>
      <arg type="u" direction="out" name="action"/>
    </method>
    <method name="Unbind">
      <arg type="u" direction="in" name="action"/>
    </method>
    <signal name="Pressed">
      <arg type="u" name="action"/>
      <arg type="i" name="x"/>
      <arg type="i" name="y"/>
    </signal>
    <signal name="Released">
      <arg type="u" name="action"/>
    </signal>
    <property name="Version" type="u" access="read"/>
  </interface>
</node>`;

// mutter reports no key releases to bindings: a press counts as held while the
// accelerator's modifiers stay down, read this often.
const kHeldPollMs = 15;

// Clutter's modifier bits, as global.get_pointer() reports them.
const kModifierBits = {Shift: 1 << 0, Control: 1 << 2, Alt: 1 << 3};

// The modifier bits an accelerator such as "<Control><Alt>1" names, or null
// when it names one this helper does not know.
function modifiersOf(accelerator) {
    let mask = 0;
    const rest = accelerator.replace(/<([A-Za-z]+)>/g, (whole, name) => {
        mask = kModifierBits[name] === undefined ? -1 : mask | kModifierBits[name];
        return '';
    });
    return mask < 0 || rest.length === 0 || rest.includes('<') ? null : mask;
}

function makeHelper(deps) {
    const {Gio, GLib, Meta, Shell, Main, shellGlobal} = deps;
    const grabs = new Map(); // action -> {sender, mask, poll}
    const watches = new Map(); // sender -> watch id
    let exported = null;
    let ownerId = 0;
    let activatedId = 0;

    function relativeToPrimary(x, y) {
        const display = shellGlobal.display;
        const primary = display.get_monitor_geometry(display.get_primary_monitor());
        return [x - primary.x, y - primary.y];
    }

    function emit(destination, name, signature, values) {
        Gio.DBus.session.emit_signal(destination, kObjectPath, kBusName, name,
            new GLib.Variant(signature, values));
    }

    function stopPoll(grab) {
        if (grab.poll) GLib.source_remove(grab.poll);
        grab.poll = 0;
    }

    function onActivated(action) {
        const grab = grabs.get(action);
        if (!grab || grab.poll) return;
        const [x, y] = shellGlobal.get_pointer();
        emit(grab.sender, 'Pressed', '(uii)', [action, ...relativeToPrimary(x, y)]);
        const check = () => {
            const modifiers = shellGlobal.get_pointer()[2];
            if (grab.mask !== 0 && (modifiers & grab.mask) === grab.mask) {
                grab.poll = GLib.timeout_add(GLib.PRIORITY_DEFAULT, kHeldPollMs, check);
            } else {
                grab.poll = 0;
                emit(grab.sender, 'Released', '(u)', [action]);
            }
            return GLib.SOURCE_REMOVE;
        };
        grab.poll = GLib.timeout_add(GLib.PRIORITY_DEFAULT, kHeldPollMs, check);
    }

    function ungrab(action) {
        const grab = grabs.get(action);
        if (!grab) return false;
        stopPoll(grab);
        grabs.delete(action);
        shellGlobal.display.ungrab_accelerator(action);
        if (![...grabs.values()].some(other => other.sender === grab.sender)) {
            Gio.bus_unwatch_name(watches.get(grab.sender));
            watches.delete(grab.sender);
        }
        return true;
    }

    function onClientGone(connection, sender) {
        for (const [action, grab] of [...grabs])
            if (grab.sender === sender) ungrab(action);
    }

    const service = {
        get Version() { return 1; },
        GetPosition() {
            const [x, y, modifiers] = shellGlobal.get_pointer();
            return [...relativeToPrimary(x, y), modifiers];
        },
        BindAsync([accelerator], invocation) {
            const mask = modifiersOf(accelerator);
            if (mask === null) {
                invocation.return_dbus_error('org.pointilla.ShellHelper.Error.BadAccelerator',
                    `not an accelerator this helper binds: ${accelerator}`);
                return;
            }
            const action = shellGlobal.display.grab_accelerator(accelerator,
                Meta.KeyBindingFlags.IGNORE_AUTOREPEAT);
            if (action === Meta.KeyBindingAction.NONE) {
                invocation.return_dbus_error('org.pointilla.ShellHelper.Error.Taken',
                    `${accelerator} is taken or cannot be bound`);
                return;
            }
            Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                Shell.ActionMode.ALL);
            const sender = invocation.get_sender();
            grabs.set(action, {sender, mask, poll: 0});
            if (!watches.has(sender)) {
                watches.set(sender, Gio.bus_watch_name(Gio.BusType.SESSION, sender,
                    Gio.BusNameWatcherFlags.NONE, null, onClientGone));
            }
            invocation.return_value(new GLib.Variant('(u)', [action]));
        },
        UnbindAsync([action], invocation) {
            const grab = grabs.get(action);
            if (!grab || grab.sender !== invocation.get_sender()) {
                invocation.return_dbus_error('org.pointilla.ShellHelper.Error.NotBound',
                    `action ${action} is not bound by this client`);
                return;
            }
            ungrab(action);
            invocation.return_value(null);
        },
    };

    return {
        enable() {
            activatedId = shellGlobal.display.connect('accelerator-activated',
                (display, action) => onActivated(action));
            exported = Gio.DBusExportedObject.wrapJSObject(kInterfaceXml, service);
            exported.export(Gio.DBus.session, kObjectPath);
            ownerId = Gio.bus_own_name_on_connection(Gio.DBus.session, kBusName,
                Gio.BusNameOwnerFlags.NONE, null, null);
        },
        disable() {
            for (const action of [...grabs.keys()]) ungrab(action);
            if (ownerId) Gio.bus_unown_name(ownerId);
            ownerId = 0;
            exported?.unexport();
            exported = null;
            if (activatedId) shellGlobal.display.disconnect(activatedId);
            activatedId = 0;
        },
    };
}
