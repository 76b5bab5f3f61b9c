#!/usr/bin/python3
# A loopback FTP server for the online tests: serves ROOT to one account on a
# free port of 127.0.0.1 and prints "PORT <n>" once it listens. A file is sent
# in one of these ways when its name holds the word, or when a file
# "<name>.<word>" lies beside it:
#   halfway   half of it, after which the data connection closes as if the
#             line had dropped (the server then reports the transfer done);
#   dropped   half of it, after which the whole session (control and data)
#             ends without a reply;
#   overlong  twice over: more than its SIZE announced;
#   slow      at 20 kB/s.
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    dtp_handler = ThrottledDTPHandler

    def ftp_RETR(self, file):
        def sent(word):
            return word in os.path.basename(file) or os.path.exists(file + "." + word)

        if sent("slow") and self.data_channel is not None:
            self.data_channel.write_limit = 20000
        if not (sent("halfway") or sent("dropped") or sent("overlong")):
            return FTPHandler.ftp_RETR(self, file)
        with open(file, "rb") as f:
            data = f.read()
        if sent("overlong"):
            self.push_dtp_data(data + data, isproducer=False, file=None, cmd="RETR")
            return file
        if sent("dropped") and self.data_channel is not None:
            # The half goes out, then both connections end without a reply.
            self.respond("125 Data connection already open. Transfer starting.")
            self.data_channel.push(data[: len(data) // 2])
            self.ioloop.call_later(0.3, self.close)
            return file
        self.push_dtp_data(data[: len(data) // 2], isproducer=False, file=None, cmd="RETR")
        return file


def main():
    root, user, password = sys.argv[1:4]
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    Handler.authorizer = authorizer
    Handler.banner = "Mostarium testserver"
    Handler.auth_failed_timeout = 0.1  # a refused login answers at once
    server = FTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
