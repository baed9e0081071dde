#!/usr/bin/env python3
"""A plain threaded POP3 client, the yardstick for pop3bench's latency figures on this
machine: one thread per mailbox, each connects, reads the greeting and sends USER, PASS,
STAT and QUIT (each command in one send, no-delay on), all started together. Prints the
median wall time of 1 and of 100 at once and their ratio, like "pop3bench latency".

    reference_client.py <port> <user> <password> <one-way ms> [rounds]"""
import socket
import statistics
import sys
import threading
import time


def check(port, user, password, results, index):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=30) as s:
            s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            f = s.makefile("rb")
            ok = f.readline().startswith(b"+OK")
            for command in (b"USER " + user, b"PASS " + password, b"STAT", b"QUIT"):
                s.sendall(command + b"\r\n")
                ok = f.readline().startswith(b"+OK") and ok
            results[index] = ok
    except OSError:
        results[index] = False


def run(port, user, password, count):
    results = [False] * count
    threads = [threading.Thread(target=check, args=(port, user, password, results, i))
               for i in range(count)]
    start = time.perf_counter()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return time.perf_counter() - start, all(results)


def main():
    if len(sys.argv) not in (5, 6):
        sys.exit(__doc__)
    port, user, password = int(sys.argv[1]), sys.argv[2].encode(), sys.argv[3].encode()
    one_way = int(sys.argv[4])
    rounds = int(sys.argv[5]) if len(sys.argv) == 6 else 5
    one, hundred, ok = [], [], True
    for _ in range(rounds):
        wall, good = run(port, user, password, 1)
        one.append(wall)
        ok = ok and good
        wall, good = run(port, user, password, 100)
        hundred.append(wall)
        ok = ok and good
    a, b = statistics.median(one), statistics.median(hundred)
    floor = 6 * 2 * one_way / 1000.0
    print("python   one-way %d ms, median of %d rounds: 1 mailbox %.3f s, 100 at once %.3f s, "
          "ratio %.2f; floor %.3f s: %.2f x and %.2f x%s"
          % (one_way, rounds, a, b, b / a, floor, a / floor, b / floor,
             "" if ok else "   SOME CHECKS FAILED"))
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
