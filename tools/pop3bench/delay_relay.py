#!/usr/bin/env python3
"""A delay line for TCP on loopback: listens on 127.0.0.1:<listen port>, forwards every
connection to 127.0.0.1:<target port>, and holds every chunk it receives, in each direction,
for a set time before it passes it on (order kept; an end of stream is held the same way).
That makes a loopback server look like one across a network with that one-way delay.

The client's own connect completes at once (the relay's system accepts it), so the relay
stands in for the handshake by opening the upstream connection only after three one-way
delays (SYN, SYN-ACK, ACK): the server's greeting then reaches the client two round trips
after its connect, as on a real network.

    delay_relay.py <listen port> <target port> <one-way delay ms>

A listen port of 0 takes one the system picks. Runs until killed; prints "ready <port>"
once it listens."""
import asyncio
import sys


async def pump(reader, writer, delay):
    """Copies reader to writer, each chunk delivered `delay` seconds after it arrived."""
    loop = asyncio.get_running_loop()
    queue = asyncio.Queue()

    async def deliver():
        while True:
            due, data = await queue.get()
            wait = due - loop.time()
            if wait > 0:
                await asyncio.sleep(wait)
            if data is None:
                try:
                    writer.write_eof()
                except OSError:
                    pass
                return
            writer.write(data)
            try:
                await writer.drain()
            except OSError:
                return

    sender = asyncio.ensure_future(deliver())
    try:
        while True:
            try:
                data = await reader.read(65536)
            except OSError:
                data = b""
            queue.put_nowait((loop.time() + delay, data or None))
            if not data:
                break
        await sender
    finally:
        sender.cancel()


async def relay(client_reader, client_writer, target, delay):
    await asyncio.sleep(3 * delay)
    try:
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target)
    except OSError:
        client_writer.close()
        return
    try:
        await asyncio.gather(pump(client_reader, server_writer, delay),
                             pump(server_reader, client_writer, delay))
    finally:
        server_writer.close()
        client_writer.close()


async def main():
    listen, target, delay = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]) / 1000.0
    server = await asyncio.start_server(lambda r, w: relay(r, w, target, delay),
                                        "127.0.0.1", listen, backlog=512)
    port = server.sockets[0].getsockname()[1]
    print("ready %d" % port, flush=True)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    asyncio.run(main())
