"""Prints one line per open message box of the program, read through the accessibility
bus as a screen reader would: its title, a tab, its text."""
import pyatspi


def texts(acc):
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is None:
            continue
        if child.getRoleName() == 'label' and child.name:
            yield child.name.replace('\n', ' ')
        yield from texts(child)


for app in pyatspi.Registry.getDesktop(0):
    for window in (app or []):
        if window is not None and window.getRoleName() == 'alert':
            print(window.name + '\t' + ' '.join(texts(window)))
