// GNOME Shell 43-44: the helper loaded through `imports`.
/* exported init */
const {Gio, GLib, Meta, Shell} = imports.gi;
const Main = imports.ui.main;
const Me = imports.misc.extensionUtils.getCurrentExtension();

class PointillaHelperExtension {
    enable() {
        this._helper = Me.imports.helper.makeHelper(
            {Gio, GLib, Meta, Shell, Main, shellGlobal: global});
        this._helper.enable();
    }

    disable() {
        this._helper?.disable();
        this._helper = null;
    }
}

function init() {
    return new PointillaHelperExtension();
}
