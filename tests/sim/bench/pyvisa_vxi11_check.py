#!/usr/bin/env python3
"""The simulated bench's VXI-11 gateway as a client nobody here wrote sees it: pyvisa-py finds the
core channel through the portmapper on port 111 and asks the 8960 as a LAN instrument and as
gpib0,14 for its identity, writes a setting and reads it back, polls the status byte and clears."""
import subprocess
import sys

SKIPPED = 77

try:
    import pyvisa
    import pyvisa_py  # noqa: F401 (the backend "@py" needs it)
except ImportError:
    print("skipped: python3-pyvisa-py is not installed (apt-get install python3-pyvisa-py)")
    sys.exit(SKIPPED)


def check(resource_manager, resource):
    instrument = resource_manager.open_resource(resource, timeout=5000)
    identity = instrument.query("*IDN?").strip()
    assert identity.startswith("Agilent Technologies,8960"), identity
    instrument.write("CALL:CELL:POW -45")
    assert float(instrument.query("CALL:CELL:POW?")) == -45.0
    assert instrument.read_stb() & 0x10 == 0, "nothing waits to be read"
    instrument.write("*IDN?")
    assert instrument.read_stb() & 0x10, "a reply waits"
    instrument.clear()
    assert instrument.read_stb() & 0x10 == 0, "the clear took the reply"
    instrument.close()
    print(resource, identity)


def main():
    bench = subprocess.Popen([sys.argv[1], "--bench-face", "vxi11", "--portmapper", "111"],
                             stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    try:
        options = bench.stdout.readline()
        assert "--visa-board" in options, "the bench did not start: " + options
        resource_manager = pyvisa.ResourceManager("@py")
        for resource in ("TCPIP0::127.0.0.1::inst0::INSTR", "TCPIP0::127.0.0.1::gpib0,14::INSTR"):
            check(resource_manager, resource)
        resource_manager.close()
    finally:
        bench.communicate("quit\n", timeout=10)
    return bench.returncode


if __name__ == "__main__":
    sys.exit(main())
