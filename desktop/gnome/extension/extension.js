// One D-Bus method on the session bus, for the Vorlan dictionary: make one of
// the user's configured XKB input sources the current one. It never adds or
// changes a source; GNOME Shell has no interface of its own for this.
/* exported init */

const {Gio} = imports.gi;
const Keyboard = imports.ui.status.keyboard;

const BUS_NAME = 'example.vorlan.InputSources';
const OBJECT_PATH = '/example/vorlan/InputSources';
const INTERFACE = `<node>
  <interface name="example.vorlan.InputSources">
    <method name="Current">
      <arg type="s" direction="out" name="id"/>
    </method>
    <method name="Activate">
      <arg type="s" direction="in" name="id"/>
      <arg type="b" direction="out" name="activated"/>
      <arg type="s" direction="out" name="previous"/>
    </method>
  </interface>
</node>`;

// The source of this XKB id ("ir", "de+nodeadkeys"); a bare layout also
// finds its first variant ("ir" finds "ir+pes_keypad") when it has no source
// of its own.
function findSource(manager, id) {
    const sources = Object.values(manager.inputSources)
        .filter(source => source.type === 'xkb');
    return sources.find(source => source.id === id) ||
        sources.find(source => source.id.split('+')[0] === id) || null;
}

// The id of the current source when it is an XKB one, '' otherwise (an
// input method): the program then changes nothing it could not give back.
function currentXkbId(manager) {
    const current = manager.currentSource;
    return current && current.type === 'xkb' ? current.id : '';
}

class InputSources {
    Current() {
        return currentXkbId(Keyboard.getInputSourceManager());
    }

    // Returns [activated, id of the XKB source current before ('' if none)].
    Activate(id) {
        const manager = Keyboard.getInputSourceManager();
        const current = manager.currentSource;
        const previous = currentXkbId(manager);
        if (typeof id !== 'string' || id.length === 0 || id.length > 100)
            return [false, previous];
        const source = findSource(manager, id);
        if (!source)
            return [false, previous];
        if (source !== current)
            source.activate(false);
        return [true, previous];
    }
}

class Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE, new InputSources());
        this._object.export(Gio.DBus.session, OBJECT_PATH);
        this._owner = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
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
