// For the session tests only: KWin's stacking order (bottom to top) and the
// active window's caption, sent back to the test over D-Bus.
const shown = workspace.clientList()
    .filter(window => !window.minimized && window.normalWindow)
    .sort((a, b) => a.stackingOrder - b.stackingOrder);
callDBus('example.vorlan.SessionTest', '/', 'example.vorlan.SessionTest', 'report',
         shown.map(window => window.caption).join('\n'),
         workspace.activeClient ? workspace.activeClient.caption : '');
