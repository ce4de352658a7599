"""Reads the program the way a screen reader does, over the accessibility bus.
   atspi.py status               the status label's name (what is heard)
   atspi.py window TITLE         role, name and description of the showing window TITLE
   atspi.py box                  a showing message box: title, texts, buttons, one per line
   atspi.py press NAME           presses the showing button NAME
   atspi.py focus                role and name of the focused object
   atspi.py focusable NAME       succeeds when the showing button NAME can take the focus
   atspi.py alerts               every open message box: its title, a tab, its texts on one line
Exits 1 when the object is not there (the caller waits with a deadline)."""
import sys
import pyatspi


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name.lower() == 'chimewright':
            return a
    sys.exit(1)


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def walk(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from walk(child)


def windows():
    return [w for w in app() if w is not None and showing(w)]


def text_of(obj):
    try:
        t = obj.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ''


def out(*fields):
    print('|'.join(fields))


cmd = sys.argv[1]
if cmd == 'status':
    for w in windows():
        for o in walk(w):
            if o.getRoleName() == 'label' and o.description == 'Status':
                out(o.name, text_of(o))
                sys.exit(0)
    sys.exit(1)
elif cmd == 'window':
    for w in windows():
        if w.name == sys.argv[2]:
            print(w.getRoleName())
            print(w.name)
            print(w.description)
            sys.exit(0)
    sys.exit(1)
elif cmd == 'box':
    for w in windows():
        if w.getRoleName() in ('dialog', 'alert') and w.name != 'Chimewright Alarm Settings':
            print(w.name)
            for o in walk(w):
                if o.getRoleName() == 'label' and showing(o):
                    print('text:' + (o.name or text_of(o)))
                elif o.getRoleName() == 'push button' and showing(o):
                    print('button:' + o.name)
            sys.exit(0)
    sys.exit(1)
elif cmd in ('press', 'focusable'):
    for w in windows():
        for o in walk(w):
            if o.getRoleName() == 'push button' and o.name == sys.argv[2] and showing(o):
                if cmd == 'press':
                    o.queryAction().doAction(0)
                    sys.exit(0)
                sys.exit(0 if o.getState().contains(pyatspi.STATE_FOCUSABLE) else 1)
    sys.exit(1)
elif cmd == 'alerts':
    for w in app():
        if w is not None and w.getRoleName() == 'alert':
            texts = [o.name.replace('\n', ' ') for o in walk(w) if o.getRoleName() == 'label' and o.name]
            print(w.name + '\t' + ' '.join(texts))
elif cmd == 'focus':
    for w in windows():
        for o in walk(w):
            if o.getState().contains(pyatspi.STATE_FOCUSED):
                out(o.getRoleName(), o.name)
                sys.exit(0)
    sys.exit(1)
