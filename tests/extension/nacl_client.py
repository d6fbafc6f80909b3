"""A client of the browser protocol written with PyNaCl, independent of the program's own
boxes: it speaks native-messaging frames to a process (the host program, or the protocol
peer of the tests) as the KeePassXC-Browser extension does."""

import base64
import json
import os
import struct
import subprocess

from nacl.public import Box, PrivateKey, PublicKey
from nacl.utils import random as random_bytes


def b64(data):
    return base64.b64encode(data).decode()


def incremented(nonce):
    value = bytearray(nonce)
    for i in range(len(value)):
        value[i] = (value[i] + 1) & 0xFF
        if value[i] != 0:
            break
    return bytes(value)


class Client:
    def __init__(self, command, env=None):
        self.process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        env=env)
        self.key = PrivateKey.generate()
        self.id_key = PrivateKey.generate()
        self.client_id = b64(random_bytes(24))
        self.box = None
        self.notices = []

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)

    def send_raw(self, data):
        self.process.stdin.write(struct.pack("=I", len(data)) + data)
        self.process.stdin.flush()

    def receive(self):
        header = self.process.stdout.read(4)
        if len(header) < 4:
            raise EOFError("the host closed its output")
        (length,) = struct.unpack("=I", header)
        return json.loads(self.process.stdout.read(length))

    def reply(self):
        """The next reply; notices the program pushes meanwhile are kept in self.notices."""
        while True:
            message = self.receive()
            if message.get("action") in ("database-locked", "database-unlocked") \
                    and "nonce" not in message and "errorCode" not in message:
                self.notices.append(message["action"])
                continue
            return message

    def exchange(self, request, meanwhile=None):
        self.send_raw(json.dumps(request).encode())
        if meanwhile:
            meanwhile()
        return self.reply()

    def change_keys(self):
        nonce = random_bytes(24)
        reply = self.exchange({"action": "change-public-keys",
                               "publicKey": b64(bytes(self.key.public_key)),
                               "nonce": b64(nonce), "clientID": self.client_id})
        assert reply.get("success") == "true", reply
        assert reply["nonce"] == b64(incremented(nonce)), reply
        self.box = Box(self.key, PublicKey(base64.b64decode(reply["publicKey"])))
        return reply

    def boxed_request(self, message, nonce=None):
        nonce = nonce or random_bytes(24)
        sealed = self.box.encrypt(json.dumps(message).encode(), nonce).ciphertext
        return {"action": message["action"], "message": b64(sealed), "nonce": b64(nonce),
                "clientID": self.client_id}, nonce

    def call(self, message, nonce=None, meanwhile=None):
        """Sends a boxed message and runs meanwhile (answering the program's question);
        returns (the opened reply or None, the outer reply)."""
        request, nonce = self.boxed_request(message, nonce)
        reply = self.exchange(request, meanwhile)
        if "message" not in reply:
            return None, reply
        assert reply["nonce"] == b64(incremented(nonce)), reply
        opened = json.loads(self.box.decrypt(base64.b64decode(reply["message"]),
                                             base64.b64decode(reply["nonce"])))
        assert opened["nonce"] == reply["nonce"], opened
        return opened, reply

    def associate(self, meanwhile=None):
        opened, reply = self.call({"action": "associate",
                                   "key": b64(bytes(self.key.public_key)),
                                   "idKey": b64(bytes(self.id_key.public_key))},
                                  meanwhile=meanwhile)
        assert opened and opened.get("success") == "true", reply
        self.name = opened["id"]
        return opened

    def keys(self):
        return [{"id": self.name, "key": b64(bytes(self.id_key.public_key))}]
