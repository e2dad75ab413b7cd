// For the session tests only: what the shell shows, read over D-Bus.
/* exported init */

const {Gio} = imports.gi;
const Keyboard = imports.ui.status.keyboard;

const INTERFACE = `<node>
  <interface name="example.vorlan.TestProbe">
    <method name="Stacking">
      <arg type="as" direction="out" name="titles"/>
    </method>
    <method name="Focus">
      <arg type="s" direction="out" name="title"/>
    </method>
    <method name="InputSource">
      <arg type="s" direction="out" name="id"/>
    </method>
  </interface>
</node>`;

class Probe {
    // Titles of the shown windows, bottom to top.
    Stacking() {
        return global.get_window_actors()
            .map(actor => actor.meta_window)
            .filter(window => window && window.showing_on_its_workspace())
            .map(window => window.get_title() || '');
    }

    // The current input source's id ("us", "ir"), '' when none.
    InputSource() {
        const source = Keyboard.getInputSourceManager().currentSource;
        return source ? source.id : '';
    }

    Focus() {
        const window = global.display.focus_window;
        return window ? window.get_title() || '' : '';
    }
}

class Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE, new Probe());
        this._object.export(Gio.DBus.session, '/example/vorlan/TestProbe');
        this._owner = Gio.bus_own_name_on_connection(Gio.DBus.session,
            'example.vorlan.TestProbe', Gio.BusNameOwnerFlags.NONE, null, null);
    }

    disable() {
        Gio.bus_unown_name(this._owner);
        this._object.unexport();
        this._object = null;
    }
}

function init() {
    return new Extension();
}
