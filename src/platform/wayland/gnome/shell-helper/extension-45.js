// GNOME Shell 45-47: the helper as an ES module.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

import {makeHelper} from './helper.js';

export default class PointillaHelperExtension extends Extension {
    enable() {
        this._helper = makeHelper({Gio, GLib, Meta, Shell, Main, shellGlobal: global});
        this._helper.enable();
    }

    disable() {
        this._helper?.disable();
        this._helper = null;
    }
}
