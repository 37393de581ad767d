// The GNOME 45-47 build of the shell helper, loaded as GNOME Shell would load
// it but against stand-ins for the shell (stand-ins.js), on a private session
// bus: what a client sees of Bind, Pressed, Released and GetPosition, and what
// the helper asks of the shell. Prints "ok" or throws.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';

import HelperExtension from './extension.js';
import {modifiersOf} from './helper.js';
import {shell} from './stand-ins.js';

function expect(what, got, wanted) {
    if (JSON.stringify(got) !== JSON.stringify(wanted))
        throw new Error(`${what}: got ${JSON.stringify(got)}, wanted ${JSON.stringify(wanted)}`);
}

for (const [accelerator, mask] of [
    ['<Control><Alt>1', 12], ['<Control><Shift>F5', 5], ['<Alt>a', 8], ['Escape', 0],
    ['<Super>1', null], ['<Control>', null], ['<Control><Alt', null],
])
    expect(`modifiers of ${accelerator}`, modifiersOf(accelerator), mask);

const extension = new HelperExtension({uuid: 'pointilla-helper@pointilla.org'});
extension.enable();

// A client of its own: another connection to the same bus.
const client = Gio.DBusConnection.new_for_address_sync(
    GLib.getenv('DBUS_SESSION_BUS_ADDRESS'),
    Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
    null, null);
const signals = [];
client.signal_subscribe('org.pointilla.ShellHelper', 'org.pointilla.ShellHelper', null,
    '/org/pointilla/ShellHelper', null, 0,
    (connection, sender, path, iface, name, params) => signals.push([name, ...params.deepUnpack()]));

const loop = new GLib.MainLoop(null, false);
function call(method, args, type) {
    let result;
    client.call('org.pointilla.ShellHelper', '/org/pointilla/ShellHelper',
        'org.pointilla.ShellHelper', method, args, type ? new GLib.VariantType(type) : null,
        Gio.DBusCallFlags.NONE, 2000, null, (c, res) => {
            try {
                result = c.call_finish(res).deepUnpack();
            } catch (e) {
                result = e.message.replace(/^GDBus\.Error:([^:]*):.*$/, '$1');
            }
            loop.quit();
        });
    loop.run();
    return result;
}
function runFor(ms) {
    GLib.timeout_add(GLib.PRIORITY_DEFAULT, ms, () => {
        loop.quit();
        return GLib.SOURCE_REMOVE;
    });
    loop.run();
}

// The name is owned once the loop has run.
runFor(100);
shell.pointer = [612, 434, 12];
expect('position from the primary monitor', call('GetPosition', null, '(iiu)'), [512, 384, 12]);

const [action] = call('Bind', new GLib.Variant('(s)', ['<Control><Alt>1']), '(u)');
expect('grabbed', shell.grabbed, {[action]: '<Control><Alt>1'});
expect('allowed in every mode', shell.allowed, [[`external-grab-${action}`, -1]]);
expect('a taken accelerator', call('Bind', new GLib.Variant('(s)', ['<Alt>taken']), '(u)'),
    'org.pointilla.ShellHelper.Error.Taken');
expect('a modifier it does not know', call('Bind', new GLib.Variant('(s)', ['<Super>1']), '(u)'),
    'org.pointilla.ShellHelper.Error.BadAccelerator');

// Held while CTRL and ALT stay down, released at the first poll after.
shell.activate(action);
runFor(100);
expect('pressed, not yet released', signals, [['Pressed', action, 512, 384]]);
shell.pointer = [612, 434, 8];
runFor(100);
expect('released with CTRL', signals.slice(1), [['Released', action]]);
shell.activate(action + 1000);
runFor(50);
expect('an action of nobody', signals.length, 2);

expect('unbound', call('Unbind', new GLib.Variant('(u)', [action]), null), []);
expect('let go', shell.grabbed, {});
expect('unbound twice', call('Unbind', new GLib.Variant('(u)', [action]), null),
    'org.pointilla.ShellHelper.Error.NotBound');

// A grab dies with its client's connection.
call('Bind', new GLib.Variant('(s)', ['<Control><Alt>2']), '(u)');
client.close_sync(null);
runFor(200);
expect('let go when the client left', shell.grabbed, {});

extension.disable();
expect('nothing watched once disabled', shell.handlers, 0);
print('ok');
