#!/usr/bin/python3
# A loopback FTP server for the online tests: serves ROOT to one account on a
# free port of 127.0.0.1 and prints "PORT <n>" once it listens. A file whose
# name holds "halfway" is sent only half, after which the data connection
# closes as if the line had dropped; a file beside which "<name>.slow"
# exists is sent at 20 kB/s.
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    dtp_handler = ThrottledDTPHandler

    def ftp_RETR(self, file):
        if os.path.exists(file + ".slow") and self.data_channel is not None:
            self.data_channel.write_limit = 20000
        if "halfway" not in file:
            return FTPHandler.ftp_RETR(self, file)
        with open(file, "rb") as f:
            data = f.read()
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
