#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/host.h"

namespace cct {

// The serial channels of Camera Link frame grabbers, one class per generation
// of the grabber makers' serial libraries. They have no thread of their own.

class CCameraLink2000Channel {
 public:
  explicit CCameraLink2000Channel(Host& host);
  ~CCameraLink2000Channel();
  CCameraLink2000Channel(const CCameraLink2000Channel&) = delete;
  CCameraLink2000Channel& operator=(const CCameraLink2000Channel&) = delete;

  int ListPorts();
  std::string PortEntry(int index) const;
  bool Open(int portIndex);
  bool SetBaudRate(int baudRate);
  bool Write(const char* data, int count, uint32_t limitMs);
  int Read(char* buffer, int count, uint32_t limitMs);
  void Close();

 private:
  Host& host_;
  std::vector<std::string> ports_;
};

class CCameraLink2001Channel {
 public:
  explicit CCameraLink2001Channel(Host& host);
  ~CCameraLink2001Channel();
  CCameraLink2001Channel(const CCameraLink2001Channel&) = delete;
  CCameraLink2001Channel& operator=(const CCameraLink2001Channel&) = delete;

  int ListPorts();
  std::string PortEntry(int index) const;
  bool Open(int portIndex);
  bool SetBaudRate(int baudRate);
  bool Write(const char* data, int count, uint32_t limitMs);
  int Read(char* buffer, int count, uint32_t limitMs);
  void Close();

 private:
  Host& host_;
  std::vector<std::string> ports_;
};

class CCameraLink11Channel {
 public:
  explicit CCameraLink11Channel(Host& host);
  ~CCameraLink11Channel();
  CCameraLink11Channel(const CCameraLink11Channel&) = delete;
  CCameraLink11Channel& operator=(const CCameraLink11Channel&) = delete;

  int ListPorts();
  std::string PortEntry(int index) const;
  bool Open(int portIndex);
  bool SetBaudRate(int baudRate);
  bool Write(const char* data, int count, uint32_t limitMs);
  int Read(char* buffer, int count, uint32_t limitMs);
  void Close();

 private:
  Host& host_;
  std::vector<std::string> ports_;
};

}  // namespace cct
