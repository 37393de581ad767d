// Presses keys on a headless GNOME Shell as a person would, through a
// remote-desktop session of mutter's (a virtual keyboard of the seat). Reads
// lines from standard input, each done in turn:
//   down KEYSYM | up KEYSYM     a key, by its keysym in hexadecimal (ffe3)
//   wait MS                     a pause
//   sync                        prints "done" once all before it is done
// Prints "ready" once the session has started and mutter has taken up its
// keyboard; ends with standard input.
const {Gio, GLib} = imports.gi;

const bus = Gio.DBus.session;
function call(path, iface, method, args, replyType) {
    return bus.call_sync('org.gnome.Mutter.RemoteDesktop', path, iface, method, args,
        replyType ? new GLib.VariantType(replyType) : null, Gio.DBusCallFlags.NONE, 5000, null);
}

const [session] = call('/org/gnome/Mutter/RemoteDesktop', 'org.gnome.Mutter.RemoteDesktop',
    'CreateSession', null, '(o)').deepUnpack();
const kSession = 'org.gnome.Mutter.RemoteDesktop.Session';
call(session, kSession, 'Start', null, null);
// mutter loses what a new device sends before it has taken the device up: a
// shift press and a pause go first.
for (const pressed of [true, false]) {
    call(session, kSession, 'NotifyKeyboardKeysym', new GLib.Variant('(ub)', [0xffe1, pressed]),
        null);
}
GLib.usleep(500000);
print('ready');

const input = new Gio.DataInputStream({
    base_stream: new Gio.UnixInputStream({fd: 0, close_fd: false}),
});
for (;;) {
    const [line] = input.read_line_utf8(null);
    if (line === null)
        break;
    const [verb, value] = line.trim().split(/\s+/);
    if (verb === 'sync') {
        print('done');
    } else if (verb === 'wait') {
        GLib.usleep(Number(value) * 1000);
    } else if (verb === 'down' || verb === 'up') {
        call(session, kSession, 'NotifyKeyboardKeysym',
            new GLib.Variant('(ub)', [parseInt(value, 16), verb === 'down']), null);
        // mutter merges events closer than this.
        GLib.usleep(15000);
    }
}
call(session, kSession, 'Stop', null, null);
