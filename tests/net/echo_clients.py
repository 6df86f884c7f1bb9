# Many clients of an echo server, from another process: opens N connections to
# 127.0.0.1:PORT, sends each a distinct 64-byte message, reads back exactly that, closes
# them all. Exit code 0 when every byte came back; prints what went wrong otherwise.
import selectors
import socket
import sys

port, count = int(sys.argv[1]), int(sys.argv[2])
selector = selectors.DefaultSelector()
expected = {}
for i in range(count):
    client = socket.create_connection(("127.0.0.1", port))
    message = ("client %06d " % i).encode().ljust(64, b".")
    client.sendall(message)
    client.setblocking(False)
    expected[client] = [message, b""]
    selector.register(client, selectors.EVENT_READ)

left = count
while left:
    events = selector.select(timeout=10)
    if not events:
        print("timed out with %d clients waiting" % left)
        sys.exit(1)
    for key, _ in events:
        entry = expected[key.fileobj]
        data = key.fileobj.recv(128)
        if not data:
            print("closed early")
            sys.exit(1)
        entry[1] += data
        if len(entry[1]) >= 64:
            if entry[1] != entry[0]:
                print("wrong echo", entry[1])
                sys.exit(1)
            selector.unregister(key.fileobj)
            left -= 1
for client in expected:
    client.close()
print("ok", count, flush=True)
