"""A throwaway certificate authority and a code-signing certificate it
issued, made with openssl for the signed package's test. Both are valid
from 2000 to 2099, so any commit's time lies within them.

    make_keys(FOLDER, NAME) -> (authority.pem, signing.pem, signing.key)
"""
import os
import subprocess

CONFIG = """[ca]
default_ca = throwaway
[throwaway]
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
unique_subject = no
copy_extensions = none
[any]
commonName = supplied
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[signing]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
"""
VALIDITY = ["-startdate", "20000101000000Z", "-enddate", "20991231000000Z"]


def openssl(folder, *args):
    subprocess.run(["openssl", *args], cwd=folder, check=True, capture_output=True)


def request(folder, stem, subject):
    openssl(folder, "req", "-new", "-newkey", "rsa:2048", "-nodes", "-keyout", stem + ".key",
            "-subj", "/CN=" + subject, "-out", stem + ".csr")


def make_keys(folder, name):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "ca.cnf"), "w") as config:
        config.write(CONFIG)
    open(os.path.join(folder, "index.txt"), "w").close()
    with open(os.path.join(folder, "serial"), "w") as serial:
        serial.write("01\n")
    request(folder, "authority", name + " Root")
    openssl(folder, "ca", "-batch", "-config", "ca.cnf", "-selfsign", "-keyfile", "authority.key",
            "-in", "authority.csr", *VALIDITY, "-extensions", "authority", "-out", "authority.pem")
    request(folder, "signing", name + " Signing")
    openssl(folder, "ca", "-batch", "-config", "ca.cnf", "-cert", "authority.pem", "-keyfile", "authority.key",
            "-in", "signing.csr", *VALIDITY, "-extensions", "signing", "-out", "signing.pem")
    return tuple(os.path.abspath(os.path.join(folder, f)) for f in ("authority.pem", "signing.pem", "signing.key"))
