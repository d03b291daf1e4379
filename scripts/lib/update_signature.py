"""Signatures of update downloads: ECDSA on P-256 with SHA-256, through the openssl tool.

The signed message is the UTF-8 text "Kestrova update", LF, the file's name, LF, the
version from version.txt (trimmed), LF, then the file's bytes. The signature file holds
one line: the base64 of the 64-byte r||s signature.
"""
import base64
import os
import subprocess
import tempfile

FIELD_BYTES = 32  # P-256


def message(name, version, body):
    """The signed message for a file of that name and bytes, offered as that version."""
    header = "Kestrova update\n%s\n%s\n" % (name, version.strip())
    return header.encode("utf-8") + body


def signed_message(path, version):
    with open(path, "rb") as f:
        return message(os.path.basename(path), version, f.read())


def _der_length(data, pos):
    length = data[pos]
    pos += 1
    if length & 0x80:
        count = length & 0x7F
        length = int.from_bytes(data[pos:pos + count], "big")
        pos += count
    return length, pos


def der_to_raw(der):
    """The r||s form of a DER ECDSA-Sig-Value."""
    if der[0] != 0x30:
        raise ValueError("not a DER signature")
    _, pos = _der_length(der, 1)
    numbers = []
    for _ in range(2):
        if der[pos] != 0x02:
            raise ValueError("not a DER integer")
        length, pos = _der_length(der, pos + 1)
        value = int.from_bytes(der[pos:pos + length], "big")
        pos += length
        numbers.append(value.to_bytes(FIELD_BYTES, "big"))
    return b"".join(numbers)


def _der_integer(raw):
    value = raw.lstrip(b"\0") or b"\0"
    if value[0] & 0x80:
        value = b"\0" + value
    return bytes([0x02, len(value)]) + value


def raw_to_der(raw):
    if len(raw) != 2 * FIELD_BYTES:
        raise ValueError("a signature has %d bytes" % (2 * FIELD_BYTES))
    body = _der_integer(raw[:FIELD_BYTES]) + _der_integer(raw[FIELD_BYTES:])
    return bytes([0x30, len(body)]) + body


def _openssl(args, data):
    return subprocess.run(["openssl"] + args, input=data, capture_output=True)


def signature_line(data, key):
    """The signature file's line for the message `data`, signed with the private key file `key`."""
    result = _openssl(["dgst", "-sha256", "-sign", key], data)
    if result.returncode != 0:
        raise RuntimeError("openssl could not sign: " + result.stderr.decode(errors="replace"))
    return base64.b64encode(der_to_raw(result.stdout)).decode("ascii")


def sign(path, version, key):
    """Writes path + ".sig" and returns its name."""
    line = signature_line(signed_message(path, version), key)
    with open(path + ".sig", "w", newline="\n") as f:
        f.write(line + "\n")
    return path + ".sig"


def verify(path, version, public_key, signature_path=None):
    """True when the signature file beside path holds for that version and key."""
    with open(signature_path or path + ".sig", "rb") as f:
        try:
            der = raw_to_der(base64.b64decode(f.read().strip(), validate=True))
        except ValueError:
            return False
    with tempfile.NamedTemporaryFile() as signature:
        signature.write(der)
        signature.flush()
        result = _openssl(["dgst", "-sha256", "-verify", public_key, "-signature", signature.name],
                          signed_message(path, version))
    return result.returncode == 0
