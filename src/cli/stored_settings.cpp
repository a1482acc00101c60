#include "cli/stored_settings.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "serial/port_map.h"

namespace cct {

namespace {

// A settings file longer than this is no file the window wrote.
constexpr std::streamsize kMaxFileBytes = 1 << 20;

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Keys are stored with "%XX" for every character outside letters, digits
// and a few marks ("Com%20Port%20No").
std::string DecodeKey(const std::string& key) {
  std::string out;
  for (size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '%' && i + 2 < key.size() && HexDigit(key[i + 1]) >= 0 &&
        HexDigit(key[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(key[i + 1]) * 16 + HexDigit(key[i + 2]));
      i += 2;
    } else {
      out += key[i];
    }
  }
  return out;
}

// A value is plain text, or text in double quotes with backslash escapes
// (kept whole when it has spaces at its ends). An unquoted comma makes a
// list, which is no single value: such a value reads as nothing.
bool DecodeValue(const std::string& raw, std::string& value) {
  value.clear();
  const std::string text = Trim(raw);
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && i + 1 < text.size()) {
      const char e = text[++i];
      value += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
    } else if (c == ',' && !quoted) {
      return false;
    } else {
      value += c;
    }
  }
  return !quoted;
}

}  // namespace

std::string StoredSettingsPath() {
  return SettingsFolder() + "/QX-2040-RTN Control Tool.conf";
}

StoredSettings::StoredSettings(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (in) Read(in);
}

void StoredSettings::Read(std::istream& in) {
  values_.clear();
  std::string section;
  std::string line;
  std::streamsize total = 0;
  while (std::getline(in, line)) {
    total += static_cast<std::streamsize>(line.size()) + 1;
    if (total > kMaxFileBytes) break;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      section = trimmed.substr(1, trimmed.size() - 2);
      continue;
    }
    const size_t equals = trimmed.find('=');
    if (section != "General" || equals == std::string::npos) continue;
    std::string value;
    const std::string key = DecodeKey(Trim(trimmed.substr(0, equals)));
    if (DecodeValue(trimmed.substr(equals + 1), value)) {
      values_[key] = value;
    } else {
      values_.erase(key);
    }
  }
}

bool StoredSettings::Value(const std::string& key, std::string& value) const {
  const auto found = values_.find(key);
  if (found == values_.end()) return false;
  value = found->second;
  return true;
}

bool StoredSettings::GetNumber(int index, int& value, int defaultValue) {
  value = defaultValue;
  std::string text;
  if (index < 0 || index >= kPreferenceCount || !Value(std::string(PreferenceName(index)), text))
    return false;
  // Only a whole decimal number, as the window reads its values.
  text = Trim(text);
  if (!text.empty() && text[0] == '+') text.erase(0, 1);
  int number = 0;
  const char* end = text.data() + text.size();
  auto [at, ec] = std::from_chars(text.data(), end, number);
  if (text.empty() || ec != std::errc() || at != end) return false;
  value = number;
  return true;
}

bool StoredSettings::GetPath(int index, std::string& path) {
  std::string text;
  std::error_code ec;
  if (index >= 0 && index < kPreferenceCount && Value(std::string(PreferenceName(index)), text) &&
      !text.empty() && text.size() < PATH_MAX && std::filesystem::exists(text, ec)) {
    path = text;
    return true;
  }
  const auto cwd = std::filesystem::current_path(ec);
  path = ec ? std::string() : cwd.string();
  return false;
}

bool StoredSettings::PreviousRunEndedNormally() {
  int status = 0;
  return GetNumber(kPrefShutdownStatus, status, 0) && status == 1;
}

}  // namespace cct
