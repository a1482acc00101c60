#pragma once

#include <string>
#include <vector>

// What the tests can change in a fake grabber library. Every value is read
// from the environment at the moment a library function needs it, so a test
// sets a variable and the next call sees it:
//
//   FAKE_CL_PORTS          ports as "maker|port;maker|port"
//                          (default "Fakegrab|port0;Fakegrab|port1")
//   FAKE_CL_MANUFACTURERS  makers a 2001 library offers, "a,b" (default "Fakegrab")
//   FAKE_CL_BAUD_MASK      supported baud-rate bits (default 31: 9600 to 115200)
//   FAKE_CL_CAMERA_BAUD    the simulated camera's rate when a port is first
//                          opened after the library was loaded (default 9600)
//   FAKE_CL_INIT_FAIL      clSerialInit fails
//   FAKE_CL_READ_FAIL      clSerialRead fails
//   FAKE_CL_SET_BAUD_FAIL  clSetBaudRate fails
//   FAKE_CL_READ_OVERRUN   clSerialRead writes up to this many bytes more than it
//                          was asked for, and says so in the count
//   FAKE_CL_READ_BLOCK_MS  clSerialRead with nothing to give blocks this much
//                          longer than its time limit
//   FAKE_CL_WRITE_TAKES_NOTHING  clSerialWrite reports success, sends nothing
//                          and sets the count to 0
//   FAKE_CL_LOG            a file each line the camera hears is appended to
//
// A flag is on when its variable is set to anything but "" or "0".
namespace fakecl {

struct PortName {
  std::string manufacturer;
  std::string id;
};

std::vector<PortName> Ports();
std::vector<std::string> Manufacturers();
unsigned int SupportedBaudMask();
int CameraBaudRate();
bool Flag(const char* variable);
// A number from the environment; `fallback` when unset or not a number.
unsigned long Number(const char* variable, unsigned long fallback);
// FAKE_CL_LOG, or "" when unset.
std::string LogPath();

// Copies a name the way a careless library does: at most *size bytes, and
// the terminating zero only when it fits. Tests use over-long names to check
// that the caller never reads past its buffer.
void CopyName(const std::string& name, char* buffer, unsigned int* size);

}  // namespace fakecl
