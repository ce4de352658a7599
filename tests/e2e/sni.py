"""A StatusNotifierItem host for the journeys, on the session bus.
   sni.py watch FILE          owns the watcher; writes each registered item's service to FILE
   sni.py item FILE           the item's title, status, icon and menu path, one per line
   sni.py layout FILE         the exported menu: "id|label|visible" for each entry
   sni.py activate FILE       a left click on the item (Activate)
   sni.py click LABEL FILE    the menu entry LABEL clicked (com.canonical.dbusmenu Event)"""
import asyncio
import sys
from dbus_next import Message, MessageFlag, MessageType, PropertyAccess, Variant
from dbus_next.aio import MessageBus
from dbus_next.service import ServiceInterface, dbus_property, method, signal

WATCHER = 'org.kde.StatusNotifierWatcher'
ITEM = 'org.kde.StatusNotifierItem'
MENU = 'com.canonical.dbusmenu'


class Watcher(ServiceInterface):
    def __init__(self, path):
        super().__init__(WATCHER)
        self.path = path
        self.items = []

    @method()
    def RegisterStatusNotifierItem(self, service: 's'):
        self.items.append(service)
        with open(self.path, 'a') as f:
            f.write(service + '\n')
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


async def call(bus, dest, path, iface, member, sig='', body=()):
    reply = await bus.call(Message(destination=dest, path=path, interface=iface, member=member,
                                   signature=sig, body=list(body)))
    if reply.message_type == MessageType.ERROR:
        raise SystemExit('%s: %s' % (reply.error_name, reply.body))
    return reply.body


async def send(bus, dest, path, iface, member, sig, body):
    # Hosts do not wait for these: the item may answer them late or never.
    await bus.send(Message(destination=dest, path=path, interface=iface, member=member, signature=sig,
                           body=list(body), flags=MessageFlag.NO_REPLY_EXPECTED))
    # A round trip to the bus: the message has left before this process ends.
    await call(bus, 'org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus', 'GetId')


async def main(args):
    bus = await MessageBus().connect()
    if args[0] == 'watch':
        bus.export('/StatusNotifierWatcher', Watcher(args[1]))
        await bus.request_name(WATCHER)
        await bus.wait_for_disconnect()
        return
    with open(args[-1]) as f:
        names = f.read().split()
    if not names:
        raise SystemExit('no item registered')
    name, path = names[-1], '/StatusNotifierItem'
    if name.startswith('/'):
        raise SystemExit('registered by path')

    async def prop(p):
        return (await call(bus, name, path, 'org.freedesktop.DBus.Properties', 'Get', 'ss', (ITEM, p)))[0].value

    menu = await prop('Menu')
    if args[0] == 'item':
        pixmaps = await prop('IconPixmap')
        print(await prop('Title'))
        print(await prop('Status'))
        print((await prop('IconName')) or ' '.join('%dx%d' % (w, h) for w, h, _ in pixmaps))
        print(menu)
    elif args[0] == 'activate':
        await send(bus, name, path, ITEM, 'Activate', 'ii', (10, 10))
    else:
        _, (_, _, children) = await call(bus, name, menu, MENU, 'GetLayout', 'iias', (0, -1, []))
        entries = [(c.value[0], c.value[1].get('label', Variant('s', '')).value,
                    c.value[1].get('visible', Variant('b', True)).value) for c in children]
        if args[0] == 'layout':
            for entry in entries:
                print('%d|%s|%s' % entry)
        elif args[0] == 'click':
            ids = [i for i, label, _ in entries if label == args[1]]
            if not ids:
                raise SystemExit('no entry ' + args[1])
            await send(bus, name, menu, MENU, 'Event', 'isvu', (ids[0], 'clicked', Variant('i', 0), 0))


asyncio.run(main(sys.argv[1:]))
