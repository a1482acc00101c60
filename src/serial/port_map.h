#pragma once

#include <string>
#include <vector>

namespace cct {

// Folder of the tool's stored settings: $XDG_CONFIG_HOME/Ovreth, or
// ~/.config/Ovreth when XDG_CONFIG_HOME is unset.
std::string SettingsFolder();

// Folder of the port map: $XDG_CONFIG_HOME/Ovreth/ports, or
// ~/.config/Ovreth/ports when XDG_CONFIG_HOME is unset.
std::string PortMapFolder();

// The serial devices of the system in the order COM1, COM2, ... take them
// when the port map has no entry: /dev/ttyUSB*, /dev/ttyACM*, then the
// /dev/ttyS* ports with a real UART behind them, each series in numeric order.
std::vector<std::string> SystemSerialDevices();

// The device a port name such as "COM3" opens: the port map's entry when it
// exists, else the n-th system serial device; empty when there is none. A
// path ("/dev/ttyUSB0") and a network port are their own device. An entry
// that names a network port (a symbolic link to "rfc2217://HOST:PORT", or a
// regular file whose first line is that) gives the network port.
std::string ResolvePortName(const std::string& portName);

}  // namespace cct
