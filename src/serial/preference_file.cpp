#include "serial/preference_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

#include "protocol/file_bytes.h"
#include "protocol/unique_fd.h"
#include "protocol/utf8.h"
#include "serial/port_map.h"

namespace cct {

namespace {

namespace fs = std::filesystem;

constexpr size_t kNone = std::string_view::npos;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool ValidIndex(int index) {
  return index >= 0 && index < kPreferenceCount;
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpaces = " \t\n\v\f\r";
  const size_t first = text.find_first_not_of(kSpaces);
  if (first == kNone) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

int DigitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

// A 16-bit character from an escape, as UTF-8. A zero or half a surrogate
// pair is no text: false.
bool AppendUnit(std::string& out, unsigned unit) {
  if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF)) return false;
  if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | unit >> 6);
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | unit >> 12);
    out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
  return true;
}

// One entry as Qt's INI reader cuts the file: inside quotes, or after a
// backslash, an entry runs on over line ends; ';' at its start makes a
// comment of the line, an unquoted ';' later ends the entry.
struct IniLine {
  size_t begin = 0;
  size_t end = 0;
  size_t equals = kNone;  // the first unquoted '='
  bool open = false;      // the file ends inside its quotes or after a backslash
};

bool NextLine(std::string_view data, size_t& pos, IniLine& line) {
  auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  const size_t n = data.size();
  size_t begin = pos;
  while (begin < n && isSpace(data[begin])) ++begin;
  size_t equals = kNone;
  bool inQuotes = false;
  bool escaping = false;
  size_t i = begin;
  while (i < n) {
    const char c = data[i++];
    escaping = c == '\\' && i == n;
    if (c == '=') {
      if (!inQuotes && equals == kNone) equals = i - 1;
    } else if (c == '\n' || c == '\r') {
      if (i == begin + 1) {
        ++begin;
      } else if (!inQuotes) {
        --i;
        break;
      }
    } else if (c == '\\') {
      if (i < n) {
        const char escaped = data[i++];
        if (i < n && ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
          ++i;
      }
    } else if (c == '"') {
      inQuotes = !inQuotes;
    } else if (c == ';') {
      if (i == begin + 1) {
        while (i < n && data[i] != '\n' && data[i] != '\r') ++i;
        while (i < n && isSpace(data[i])) ++i;
        begin = i;
      } else if (!inQuotes) {
        --i;
        break;
      }
    }
  }
  pos = i;
  line = {begin, i, equals, i == n && (inQuotes || escaping)};
  return i > begin;
}

// Where the line holding `pos` ends, past its line end; kNone when the file
// ends without one.
size_t AfterLineEnd(std::string_view data, size_t pos) {
  const size_t end = data.find_first_of("\r\n", pos);
  if (end == kNone) return kNone;
  return end + (data.compare(end, 2, "\r\n") == 0 ? 2 : 1);
}

// "%XX" and "%UXXXX" stand for a character, a backslash for '/'.
// Qt's UTF-8 decoding drops a byte order mark that comes first.
std::string UnescapeKey(std::string_view key) {
  std::string out;
  for (size_t i = key.substr(0, 3) == kByteOrderMark ? 3 : 0; i < key.size();) {
    if (key[i] == '\\') {
      out += '/';
      ++i;
      continue;
    }
    if (key[i] == '%' && i + 1 < key.size()) {
      const size_t first = i + (key[i + 1] == 'U' ? 2 : 1);
      const size_t last = first + (key[i + 1] == 'U' ? 4 : 2);
      unsigned unit = 0;
      bool ok = last <= key.size();
      for (size_t k = first; ok && k < last; ++k) {
        const int digit = DigitValue(key[k], 16);
        ok = digit >= 0;
        unit = unit * 16 + static_cast<unsigned>(digit);
      }
      if (ok) {
        if (!AppendUnit(out, unit)) out += '?';
        i = last;
        continue;
      }
    }
    out += key[i++];
  }
  return out;
}

std::string EscapeKey(std::string_view name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
        c == '-' || c == '.') {
      out += c;
    } else if (c == '/') {
      out += '\\';
    } else {
      out += {'%', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return out;
}

char SimpleEscape(char c) {
  switch (c) {
    case 'a':
      return '\a';
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'v':
      return '\v';
    case '"':
    case '?':
    case '\'':
    case '\\':
      return c;
    default:
      return 0;
  }
}

// A value's text as Qt reads it: quotes keep spaces and commas, backslash
// escapes stand for characters, spaces around unquoted text go. False for a
// list (an unquoted comma) and for what is no plain text.
bool UnescapeValue(std::string_view raw, std::string& out) {
  out.clear();
  const size_t n = raw.size();
  size_t i = 0;
  size_t chopLimit = 0;  // escaped characters are never chopped as spaces
  bool inQuotes = false;
  bool quoted = false;
  bool chop = true;
  bool firstText = true;
  auto skipSpaces = [&] {
    while (i < n && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    chopLimit = out.size();
  };
  skipSpaces();
  while (i < n) {
    const char c = raw[i];
    if (c == '\\') {
      if (++i >= n) {
        chop = false;
        break;
      }
      const char escaped = raw[i++];
      const int base = escaped == 'x' ? 16 : DigitValue(escaped, 8) >= 0 ? 8 : 0;
      if (const char simple = SimpleEscape(escaped)) {
        out += simple;
      } else if (base != 0) {
        unsigned unit = base == 8 ? static_cast<unsigned>(escaped - '0') : 0;
        const bool digits = base == 8 || (i < n && DigitValue(raw[i], 16) >= 0);
        for (int d; i < n && (d = DigitValue(raw[i], base)) >= 0; ++i)
          unit = (unit * base + static_cast<unsigned>(d)) & 0xFFFF;
        if (digits && !AppendUnit(out, unit)) return false;
        if (i >= n) {
          chop = false;
          break;
        }
      } else if ((escaped == '\n' || escaped == '\r') && i < n &&
                 (raw[i] == '\n' || raw[i] == '\r') && raw[i] != escaped) {
        ++i;  // a line continued after a backslash
      }       // any other escaped character is dropped
      chopLimit = out.size();
    } else if (c == '"') {
      ++i;
      quoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) skipSpaces();
    } else if (c == ',' && !inQuotes) {
      return false;
    } else {
      const size_t run = raw.find_first_of("\\\",", i + 1);
      const size_t end = run == kNone ? n : run;
      // Like Qt, the first text taken as it stands loses a leading byte order mark.
      const size_t from = firstText && raw.substr(i, 3) == kByteOrderMark ? i + 3 : i;
      firstText = false;
      out.append(raw.substr(from, end - from));
      i = end;
    }
  }
  if (chop && !quoted) {
    while (out.size() > chopLimit && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
  }
  if (!IsUtf8(out) || out.find('\0') != std::string::npos) return false;
  // Qt marks its own encodings of other types with '@' and doubles an '@'
  // that begins text. Nothing but text is a number or a path.
  if (out.rfind("@@", 0) == 0) {
    out.erase(0, 1);
  } else if (!out.empty() && out[0] == '@') {
    return false;
  }
  return true;
}

bool EscapeValue(std::string_view text, std::string& out) {
  out.clear();
  if (!IsUtf8(text) || text.find('\0') != std::string_view::npos) return false;
  const std::string plain = (!text.empty() && text[0] == '@' ? "@" : "") + std::string(text);
  bool needsQuotes = false;
  // After "\x1", a following hex digit would be read as part of the escape.
  bool escapeNextIfDigit = false;
  auto hex = [&out](unsigned char c) {
    char digits[3];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, c, 16);
    out += "\\x";
    out.append(digits, end);
  };
  for (size_t i = 0; i < plain.size(); ++i) {
    const char c = plain[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == ';' || c == ',' || c == '=') needsQuotes = true;
    // A byte order mark as text would be dropped by Qt's reader; escaped it stays.
    if (plain.compare(i, 3, kByteOrderMark) == 0) {
      out += "\\xfeff";
      escapeNextIfDigit = true;
      i += 2;
      continue;
    }
    if (escapeNextIfDigit && DigitValue(c, 16) >= 0) {
      hex(byte);
      continue;
    }
    escapeNextIfDigit = false;
    constexpr std::string_view kNamed = "\a\b\f\n\r\t\v";
    constexpr std::string_view kLetters = "abfnrtv";
    if (const size_t named = kNamed.find(c); named != kNone) {
      out += {'\\', kLetters[named]};
    } else if (c == '"' || c == '\\') {
      out += {'\\', c};
    } else if (byte <= 0x1F) {
      hex(byte);
      escapeNextIfDigit = true;
    } else {
      out += c;
    }
  }
  if (needsQuotes || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
    out = '"' + out + '"';
  return true;
}

// Where value `name` stands under [General], which Qt also takes for
// entries before the first section.
struct GeneralLayout {
  std::vector<IniLine> entries;    // every entry of `name`; the last one counts
  size_t anchor = kNone;           // end of the section's last line, for a new entry
  bool anchorOpen = false;         // a line after it would belong to that line
  bool entriesOutsideAny = false;  // entries before the first section header
};

GeneralLayout Scan(std::string_view file, std::string_view name) {
  GeneralLayout layout;
  size_t pos = file.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
  bool general = true;
  bool sawSection = false;
  IniLine line;
  while (NextLine(file, pos, line)) {
    const std::string_view text = file.substr(line.begin, line.end - line.begin);
    if (text[0] == '[') {
      const size_t close = text.find(']');
      const std::string_view section = Trim(text.substr(1, close == kNone ? kNone : close - 1));
      general = section.size() == 7;
      for (size_t k = 0; general && k < section.size(); ++k)
        general = (section[k] | 0x20) == "general"[k];
      if (general) std::tie(layout.anchor, layout.anchorOpen) = std::pair(line.end, line.open);
      sawSection = true;
      continue;
    }
    if (!general || line.equals == kNone) continue;
    std::tie(layout.anchor, layout.anchorOpen) = std::pair(line.end, line.open);
    layout.entriesOutsideAny = layout.entriesOutsideAny || !sawSection;
    if (UnescapeKey(Trim(text.substr(0, line.equals - line.begin))) == name)
      layout.entries.push_back(line);
  }
  return layout;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(put));
  }
  return true;
}

// `bytes` in place of the file at `path`, or the old file and false.
bool ReplaceFile(const std::string& path, std::string_view bytes, mode_t mode) {
  const fs::path folder = fs::path(path).parent_path();
  std::error_code ec;
  if (!folder.empty()) fs::create_directories(folder, ec);
  std::string temp = path + ".XXXXXX";
  UniqueFd file(::mkostemp(temp.data(), O_CLOEXEC));
  if (file.Get() < 0) return false;
  const bool written =
      WriteAll(file.Get(), bytes) && ::fchmod(file.Get(), mode) == 0 && ::fsync(file.Get()) == 0;
  if (!file.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself lasts only once the folder is on disk too.
  UniqueFd directory(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Get() >= 0) ::fsync(directory.Get());
  return true;
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  FileReadError error = FileReadError::kNone;
  return ReadFileBytes(path, kMaxPreferenceFileBytes, /*regularOnly=*/true, bytes, error);
}

}  // namespace

std::string PreferenceFilePath() {
  return SettingsFolder() + "/" + kPreferenceApplication + ".conf";
}

bool FindPreferenceText(std::string_view file, std::string_view name, std::string& text) {
  text.clear();
  const GeneralLayout layout = Scan(file, name);
  if (layout.entries.empty()) return false;
  const IniLine& last = layout.entries.back();
  return UnescapeValue(file.substr(last.equals + 1, last.end - last.equals - 1), text);
}

bool PutPreferenceText(std::string& file, std::string_view name, std::string_view text) {
  std::string entry;
  if (!EscapeValue(text, entry)) return false;
  entry = EscapeKey(name) + "=" + entry;
  const GeneralLayout layout = Scan(file, name);
  const size_t top =
      file.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
  // Every entry of the name gets the value, so no earlier one can come back.
  for (auto it = layout.entries.rbegin(); it != layout.entries.rend(); ++it)
    file.replace(it->begin, it->end - it->begin, entry);
  // A new entry goes after the section's last line, or on top where the
  // section is missing or its last line would take in what follows it.
  const bool onTop = layout.entries.empty() && (layout.anchor == kNone || layout.anchorOpen);
  if (onTop) {
    file.insert(top, "[General]\n" + entry + "\n" + (file.size() > top ? "\n" : ""));
  } else if (layout.entries.empty()) {
    const size_t after = AfterLineEnd(file, layout.anchor);
    file.insert(after == kNone ? file.size() : after, (after == kNone ? "\n" : "") + entry + "\n");
  }
  // Entries before any section belong to [General]; the header makes that
  // plain to every reader.
  if (layout.entriesOutsideAny && !onTop) file.insert(top, "[General]\n");
  return true;
}

bool ParsePreferenceNumber(std::string_view text, int& value) {
  text = Trim(text);
  // A sign, then digits only.
  const bool plus = !text.empty() && text[0] == '+';
  if (plus) text.remove_prefix(1);
  const size_t digits = !plus && !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() <= digits || DigitValue(text[digits], 10) < 0) return false;
  int number = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = number;
  return true;
}

PreferenceFile::PreferenceFile(std::string path, Access access)
    : path_(std::move(path)), access_(access) {}

bool PreferenceFile::GetText(int index, std::string& text) {
  text.clear();
  std::string bytes;
  return ValidIndex(index) && ReadWhole(path_, bytes) &&
         FindPreferenceText(bytes, PreferenceName(index), text);
}

bool PreferenceFile::GetNumber(int index, int& value, int defaultValue) {
  value = defaultValue;
  std::string text;
  return GetText(index, text) && ParsePreferenceNumber(text, value);
}

bool PreferenceFile::SetNumber(int index, int value) {
  return Write(index, std::to_string(value));
}

bool PreferenceFile::SetText(int index, const std::string& text) {
  return Write(index, text);
}

bool PreferenceFile::GetPath(int index, std::string& path) {
  std::string text;
  std::error_code ec;
  if (GetText(index, text) && !text.empty() && text.size() < PATH_MAX && fs::exists(text, ec)) {
    path = text;
    return true;
  }
  // The current directory, as where nothing is stored.
  NullPreferences().GetPath(index, path);
  return false;
}

bool PreferenceFile::PreviousRunEndedNormally() {
  int status = 0;
  return GetNumber(kPrefShutdownStatus, status, 0) && status == 1;
}

bool PreferenceFile::Write(int index, std::string_view text) {
  if (access_ == Access::kReadOnly || !ValidIndex(index)) return false;
  // A link to the file (a shared dotfiles folder) stays a link.
  std::error_code ec;
  const fs::path resolved = fs::canonical(path_, ec);
  const std::string target = ec ? path_ : resolved.string();
  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return false;
  std::string bytes;
  if (exists && !ReadWhole(target, bytes)) return false;
  if (!PutPreferenceText(bytes, PreferenceName(index), text) ||
      bytes.size() > kMaxPreferenceFileBytes)
    return false;
  return ReplaceFile(target, bytes, exists ? info.st_mode & 07777 : S_IRUSR | S_IWUSR);
}

}  // namespace cct
