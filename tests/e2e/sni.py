"""A StatusNotifierItem host on the session bus.
   sni.py watch FILE         owns the watcher; writes each registered item's service to FILE
   sni.py item FILE          the item's title, status, icon and menu path, one per line
   sni.py layout FILE        the exported menu: "id|label|visible" for each entry
   sni.py activate FILE      a left click on the item (Activate)
   sni.py click LABEL FILE   the menu entry LABEL clicked (com.canonical.dbusmenu Event)"""
import asyncio
import sys
from dbus_next import Message, MessageFlag, MessageType, PropertyAccess, Variant
from dbus_next.aio import MessageBus
from dbus_next.service import ServiceInterface, dbus_property, method, signal


class Watcher(ServiceInterface):
    def __init__(self, path):
        super().__init__('org.kde.StatusNotifierWatcher')
        self.path, self.items = path, []

    @method()
    def RegisterStatusNotifierItem(self, service: 's'):
        self.items.append(service)
        with open(self.path, 'a') as f:
            print(service, file=f)
        self.StatusNotifierItemRegistered(service)

    @method()
    def RegisterStatusNotifierHost(self, service: 's'):
        pass

    @dbus_property(access=PropertyAccess.READ)
    def RegisteredStatusNotifierItems(self) -> 'as':
        return self.items

    @dbus_property(access=PropertyAccess.READ)
    def IsStatusNotifierHostRegistered(self) -> 'b':
        return True

    @dbus_property(access=PropertyAccess.READ)
    def ProtocolVersion(self) -> 'i':
        return 0

    @signal()
    def StatusNotifierItemRegistered(self, service) -> 's':
        return service


async def main(cmd, *args):
    bus = await MessageBus().connect()
    if cmd == 'watch':
        bus.export('/StatusNotifierWatcher', Watcher(args[0]))
        await bus.request_name('org.kde.StatusNotifierWatcher')
        return await bus.wait_for_disconnect()
    name = open(args[-1]).read().split()[-1]  # the service the item registered (not a path)

    async def call(path, iface, member, sig='', body=(), flags=MessageFlag.NONE):
        reply = await bus.call(Message(destination=name, path=path, interface=iface, member=member,
                                       signature=sig, body=list(body), flags=flags))
        if reply and reply.message_type == MessageType.ERROR:
            raise SystemExit('%s: %s' % (reply.error_name, reply.body))
        return reply and reply.body

    async def prop(p):
        body = await call('/StatusNotifierItem', 'org.freedesktop.DBus.Properties', 'Get', 'ss',
                          ('org.kde.StatusNotifierItem', p))
        return body[0].value

    menu = await prop('Menu')
    _, (_, _, children) = await call(menu, 'com.canonical.dbusmenu', 'GetLayout', 'iias', (0, -1, []))
    entries = [(c.value[0], c.value[1].get('label', Variant('s', '')).value,
                c.value[1].get('visible', Variant('b', True)).value) for c in children]
    if cmd == 'item':
        pixmaps = await prop('IconPixmap')
        print(await prop('Title'), await prop('Status'), ' '.join('%dx%d' % (w, h) for w, h, _ in pixmaps),
              menu, sep='\n')
    elif cmd == 'layout':
        print('\n'.join('%d|%s|%s' % e for e in entries))
    else:  # hosts do not wait for an answer to these: the item may answer late or never
        clicked = ('/StatusNotifierItem', 'org.kde.StatusNotifierItem', 'Activate', 'ii', (10, 10))
        if cmd == 'click':
            ids = [i for i, label, _ in entries if label == args[0]] or sys.exit('no entry ' + args[0])
            clicked = (menu, 'com.canonical.dbusmenu', 'Event', 'isvu', (ids[0], 'clicked', Variant('i', 0), 0))
        await call(*clicked, flags=MessageFlag.NO_REPLY_EXPECTED)
        await bus.call(Message(destination='org.freedesktop.DBus', path='/org/freedesktop/DBus',
                               interface='org.freedesktop.DBus', member='GetId'))  # the message has left


asyncio.run(main(*sys.argv[1:]))
