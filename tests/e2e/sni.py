"""A StatusNotifierItem host: owns the watcher, writes each item that registers to the file
named."""
import asyncio
import sys
from dbus_next import PropertyAccess
from dbus_next.aio import MessageBus
from dbus_next.service import ServiceInterface, dbus_property, method, signal


class Watcher(ServiceInterface):
    def __init__(self):
        super().__init__('org.kde.StatusNotifierWatcher')
        self.items = []

    @method()
    def RegisterStatusNotifierItem(self, service: 's'):
        self.items.append(service)
        with open(sys.argv[1], 'a') as f:
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


async def main():
    bus = await MessageBus().connect()
    bus.export('/StatusNotifierWatcher', Watcher())
    await bus.request_name('org.kde.StatusNotifierWatcher')
    await bus.wait_for_disconnect()


asyncio.run(main())
