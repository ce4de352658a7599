"""Reads the program as a screen reader does, over the accessibility bus: status, focus, window
TITLE, box (a message box's title, "text:" and "button:" lines), press NAME, focusable NAME.
Exits 1 when absent."""
import sys
import pyatspi


def showing(obj):
    return obj is not None and obj.getState().contains(pyatspi.STATE_SHOWING)


def walk(obj):
    yield obj
    for child in obj:
        if showing(child):
            yield from walk(child)


def text(obj):
    try:
        t = obj.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ''


def done(*lines):
    print(*lines, sep='\n')
    sys.exit(0)


cmd, arg = sys.argv[1], (sys.argv[2:] or [''])[0]
apps = [a for a in pyatspi.Registry.getDesktop(0)
        if a is not None and a.name.lower() == 'chimewright']
for win in [w for a in apps for w in a if showing(w)]:
    if cmd == 'window' and win.name == arg:
        done(win.getRoleName(), win.name, win.description)
    if cmd == 'box' and win.getRoleName() != 'frame' and win.name != 'Chimewright Alarm Settings':
        done(win.name, *['text:' + (o.name or text(o)) if o.getRoleName() == 'label'
                         else 'button:' + o.name
                         for o in walk(win) if o.getRoleName() in ('label', 'push button')])
    for o in walk(win):
        role = o.getRoleName()
        if cmd == 'status' and role == 'label' and o.description == 'Status':
            done(o.name + '|' + text(o))
        if cmd == 'focus' and o.getState().contains(pyatspi.STATE_FOCUSED):
            done(role + '|' + o.name)
        if cmd in ('press', 'focusable') and role == 'push button' and o.name == arg:
            if cmd == 'focusable':
                sys.exit(not o.getState().contains(pyatspi.STATE_FOCUSABLE))
            o.queryAction().doAction(0)
            done()
sys.exit(1)
