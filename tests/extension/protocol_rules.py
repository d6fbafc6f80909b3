"""The box and nonce rules of the browser protocol, checked with PyNaCl against the
program's protocol layer (run through tests/extension/ProtocolPeer.cpp)."""

import base64
import hashlib
import hmac
import json
import os
import struct
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from nacl_client import Client, b64, random_bytes  # noqa: E402

failures = []


def totp(secret, at):
    """RFC 6238 with SHA-1, 6 digits, 30 s: what an authenticator app shows at that time."""
    digest = hmac.new(base64.b32decode(secret), struct.pack(">Q", int(at) // 30),
                      hashlib.sha1).digest()
    offset = digest[-1] & 15
    value = struct.unpack(">I", digest[offset:offset + 4])[0] & 0x7FFFFFFF
    return "%06d" % (value % 1000000)


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def error_code(reply):
    return None if reply is None else reply.get("errorCode")


def main(peer):
    with tempfile.TemporaryDirectory() as scratch:
        client = Client([peer, os.path.join(scratch, "links.json")])
        # Before any key: boxed requests are refused.
        check(error_code(client.exchange({"action": "get-databasehash", "message": "AA==",
                                          "nonce": b64(random_bytes(24))})) == "3",
              "a boxed request before change-public-keys is refused")
        client.change_keys()

        opened, reply = client.call({"action": "get-databasehash"})
        check(opened and opened["success"] == "true" and len(opened["hash"]) == 64,
              "get-databasehash opens with PyNaCl: %s" % reply)
        check(opened and opened["version"] == "2.6.1", "the version answered")

        # The same nonce again: refused, however well boxed.
        nonce = random_bytes(24)
        first, _ = client.call({"action": "get-databasehash"}, nonce)
        again, reply = client.call({"action": "get-databasehash"}, nonce)
        check(first is not None and again is None and error_code(reply) == "4",
              "a replayed nonce is refused: %s" % reply)
        # The nonce our reply used may not serve as a request's either.
        from nacl_client import incremented
        _, reply = client.call({"action": "get-databasehash"}, incremented(nonce))
        check(error_code(reply) == "4", "the reply's nonce is not taken as a request's")

        # A box under another key, a damaged box, a nonce of the wrong size.
        request, _ = client.boxed_request({"action": "get-databasehash"})
        sealed = bytearray(__import__("base64").b64decode(request["message"]))
        sealed[-1] ^= 1
        request["message"] = b64(bytes(sealed))
        check(error_code(client.exchange(request)) == "4", "a damaged box is refused")
        request, _ = client.boxed_request({"action": "get-databasehash"})
        request["nonce"] = b64(random_bytes(23))
        check(error_code(client.exchange(request)) == "4", "a short nonce is refused")
        stranger = Client.__new__(Client)
        from nacl.public import Box, PrivateKey
        stranger.box = Box(PrivateKey.generate(), client.key.public_key)
        stranger.client_id = client.client_id
        request, _ = Client.boxed_request(stranger, {"action": "get-databasehash"})
        check(error_code(client.exchange(request)) == "4", "a box from another key is refused")

        # Malformed JSON, an oversized frame, an unknown action: one error reply each, and the
        # channel keeps serving.
        client.send_raw(b"{not json")
        check(error_code(client.receive()) == "13", "malformed JSON gets an error")
        client.send_raw(b" " * (1024 * 1024 + 1))
        check(error_code(client.receive()) == "13", "a frame over 1 MiB gets an error")
        _, reply = client.call({"action": "get-totp", "uuid": "x"})
        check(error_code(reply) == "8", "nothing but association before associating")

        # Association and what it opens.
        _, reply = client.call({"action": "get-logins", "url": "https://example.com",
                                "keys": []})
        check(error_code(reply) == "8", "get-logins from an unknown connection is refused")
        _, reply = client.call({"action": "associate", "key": b64(random_bytes(32)),
                                "idKey": b64(bytes(client.id_key.public_key))})
        check(error_code(reply) == "8", "associate names the key of the exchange")
        client.associate()
        opened, _ = client.call({"action": "test-associate", "id": client.name,
                                 "key": b64(bytes(client.id_key.public_key))})
        check(opened and opened["success"] == "true", "test-associate after associate")
        _, reply = client.call({"action": "test-associate", "id": client.name,
                                "key": b64(random_bytes(32))})
        check(error_code(reply) == "8", "test-associate with a key never kept")

        opened, reply = client.call({"action": "get-logins",
                                     "url": "https://www.example.com/login",
                                     "keys": client.keys()})
        names = [entry["name"] for entry in opened["entries"]] if opened else []
        check(names == ["Exact", "Parent"], "closest matches first: %s" % reply)
        check(opened and opened["entries"][0]["password"] == "s\u00e9cret",
              "passwords reach the browser as UTF-8")
        _, reply = client.call({"action": "get-logins", "url": "https://example.org",
                                "keys": client.keys()})
        check(error_code(reply) == "15", "a foreign address gets no logins")

        opened, _ = client.call({"action": "generate-password"})
        password = opened["entries"][0]["password"] if opened else ""
        check(len(password) == 20, "generate-password gives 20 characters")

        # Two-step codes, checked against RFC 6238 computed here.
        opened, _ = client.call({"action": "get-logins", "url": "https://coded.example",
                                 "keys": client.keys()})
        uuid = opened["entries"][0]["uuid"] if opened else ""
        before = time.time()
        opened, reply = client.call({"action": "get-totp", "uuid": uuid})
        codes = {totp("JBSWY3DPEHPK3PXP", t) for t in (before, time.time())}
        check(opened is not None and opened["totp"] in codes, "get-totp: %s" % reply)
        _, reply = client.call({"action": "get-totp", "uuid": "f" * 32})
        check(error_code(reply) == "18", "get-totp for no account")
        for action in ("passkeys-get", "request-autotype", "no-such-action"):
            _, reply = client.call({"action": action})
            check(error_code(reply) == "12", "%s is not offered" % action)

        _, reply = client.call({"action": "set-login", "url": "https://new.example.net",
                                "login": "me", "password": "x" * 118})
        check(error_code(reply) == "6", "a password over the field's length is refused")
        opened, _ = client.call({"action": "set-login", "url": "https://new.example.net/?q",
                                 "login": "me", "password": "pw"})
        check(opened and opened["error"] == "success", "set-login")
        opened, _ = client.call({"action": "get-logins", "url": "https://new.example.net",
                                 "keys": client.keys()})
        check(opened and opened["entries"][0]["login"] == "me", "the saved login is found")
        _, reply = client.call({"action": "set-login", "url": "https://a.example",
                                "login": "me", "password": "pw", "uuid": "0" * 31 + "1"})
        check(error_code(reply) == "18", "a stale identifier is an error")

        _, reply = client.call({"action": "lock-database"})
        check(error_code(reply) == "6", "lock-database with unsaved changes is refused")
        client.close()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
