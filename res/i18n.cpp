#include "res/i18n.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#ifndef QV_LOCALEDIR
#define QV_LOCALEDIR "/usr/share/locale"
#endif

namespace qv {

namespace {

// "ja_JP.UTF-8" -> "ja", "en@quot" -> "en".
std::string_view LanguagePart(std::string_view locale) {
  return locale.substr(0, locale.find_first_of("_.@"));
}

// Nullopt for a name that says nothing: unset, empty, C or POSIX.
std::optional<Language> Named(std::string_view locale) {
  const std::string_view name = LanguagePart(locale);
  if (name.empty() || name == "C" || name == "POSIX") return std::nullopt;
  return name == "ja" ? Language::Japanese : Language::English;
}

std::uint32_t Word(const std::string& b, std::size_t at, bool bigEndian) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<unsigned char>(b[at + i]);
    v |= static_cast<std::uint32_t>(byte) << (bigEndian ? 8 * (3 - i) : 8 * i);
  }
  return v;
}

// A catalogue is far smaller; anything bigger is not one.
constexpr std::size_t kMaxCatalogue = 16u << 20;

// Only a regular file: a FIFO or a device named by QUORVANE_LOCALEDIR must
// not hold up the start.
std::optional<std::string> ReadSmallFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::uint64_t>(st.st_size) <= kMaxCatalogue) {
    bytes.emplace();
    char buffer[65536];
    for (;;) {
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 || bytes->size() + static_cast<std::size_t>(n) > kMaxCatalogue)
        bytes.reset();
      if (n <= 0 || !bytes) break;
      bytes->append(buffer, static_cast<std::size_t>(n));
    }
  }
  close(fd);
  return bytes;
}

struct State {
  Language user = Language::Japanese;
  Language output = Language::Japanese;
  std::optional<Catalogue> english;
};

State& Languages() {
  static State state;
  return state;
}

}  // namespace

Language LanguageOf(const char* language, const char* lcAll,
                    const char* lcMessages, const char* lang) {
  if (language != nullptr) {
    // The first entry we speak wins; any other language named means
    // English.
    bool named = false;
    std::string_view list = language;
    for (;;) {
      const std::size_t colon = list.find(':');
      const std::string_view name = LanguagePart(list.substr(0, colon));
      if (name == "ja") return Language::Japanese;
      if (name == "en") return Language::English;
      named = named || Named(name).has_value();
      if (colon == std::string_view::npos) break;
      list.remove_prefix(colon + 1);
    }
    if (named) return Language::English;
  }
  for (const char* v : {lcAll, lcMessages, lang}) {
    if (v == nullptr || *v == '\0') continue;
    return Named(v).value_or(Language::Japanese);
  }
  return Language::Japanese;
}

Language LanguageFromEnvironment() {
  return LanguageOf(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                    std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string_view LanguageCode(Language language) {
  return language == Language::English ? "en" : "ja";
}

std::optional<Language> ParseLanguageCode(std::string_view code) {
  if (code == "ja") return Language::Japanese;
  if (code == "en") return Language::English;
  return std::nullopt;
}

std::optional<Catalogue> Catalogue::Parse(std::string bytes) {
  constexpr std::uint32_t kMagic = 0x950412de;
  if (bytes.size() < 20) return std::nullopt;
  const bool big = Word(bytes, 0, false) != kMagic;
  if (big && Word(bytes, 0, true) != kMagic) return std::nullopt;
  if (Word(bytes, 4, big) >> 16 > 1) return std::nullopt;  // major revision
  const std::uint64_t n = Word(bytes, 8, big);
  const std::uint64_t originals = Word(bytes, 12, big);
  const std::uint64_t translations = Word(bytes, 16, big);
  const std::uint64_t size = bytes.size();
  if (originals + n * 8 > size || translations + n * 8 > size)
    return std::nullopt;
  // A string is its length and offset; the byte after it must be its NUL.
  auto string = [&](std::uint64_t table, std::uint64_t i)
      -> std::optional<std::string_view> {
    const std::uint64_t length = Word(bytes, table + i * 8, big);
    const std::uint64_t offset = Word(bytes, table + i * 8 + 4, big);
    if (offset + length >= size || bytes[offset + length] != '\0')
      return std::nullopt;
    return std::string_view(bytes).substr(offset, length);
  };
  Catalogue c;
  c.m_entries.reserve(n);
  for (std::uint64_t i = 0; i < n; ++i) {
    const auto id = string(originals, i);
    const auto str = string(translations, i);
    if (!id || !str) return std::nullopt;
    // A plural entry is "singular\0plural"; it is looked up by the first.
    const std::string_view msgid = id->substr(0, id->find('\0'));
    if (msgid.empty() || str->empty()) continue;
    c.m_entries.push_back({msgid, str->data()});
  }
  std::sort(c.m_entries.begin(), c.m_entries.end(),
            [](const Entry& a, const Entry& b) { return a.msgid < b.msgid; });
  // The views point into the bytes, which the move keeps where they are.
  c.m_bytes = std::move(bytes);
  return c;
}

const char* Catalogue::Find(std::string_view msgid) const {
  const auto it = std::lower_bound(
      m_entries.begin(), m_entries.end(), msgid,
      [](const Entry& e, std::string_view id) { return e.msgid < id; });
  return it != m_entries.end() && it->msgid == msgid ? it->msgstr : nullptr;
}

std::vector<std::string_view> Catalogue::Msgids() const {
  std::vector<std::string_view> ids;
  ids.reserve(m_entries.size());
  for (const Entry& e : m_entries) ids.push_back(e.msgid);
  return ids;
}

std::vector<std::string> CatalogueFolders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("QUORVANE_LOCALEDIR");
      dir != nullptr && *dir != '\0')
    folders.emplace_back(dir);
  char exe[4096];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) {
    std::string path(exe, static_cast<std::size_t>(n));
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos)
      folders.push_back(path.substr(0, slash) + "/../share/locale");
  }
  folders.emplace_back(QV_LOCALEDIR);
  return folders;
}

bool SetLanguages(Language user, Language output) {
  State& s = Languages();
  s.user = user;
  s.output = output;
  if (user != Language::English && output != Language::English) return true;
  if (s.english) return true;
  for (const std::string& folder : CatalogueFolders()) {
    const auto bytes = ReadSmallFile(folder + "/en/LC_MESSAGES/quorvane.mo");
    if (!bytes) continue;
    s.english = Catalogue::Parse(*bytes);
    if (s.english) return true;
  }
  // Half-English (English cells under Japanese captions) would read worse
  // than Japanese throughout.
  s.user = s.output = Language::Japanese;
  return false;
}

Language UserLanguage() { return Languages().user; }
Language OutputLanguage() { return Languages().output; }

const char* Tr(Language language, const char* msgid) {
  const State& s = Languages();
  if (language != Language::English || !s.english) return msgid;
  const char* text = s.english->Find(msgid);
  return text != nullptr ? text : msgid;
}

const char* Tr(const char* msgid) { return Tr(UserLanguage(), msgid); }

std::string Fill(std::string_view format,
                 std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size());
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
        format[i + 1] <= '9') {
      const auto k = static_cast<std::size_t>(format[i + 1] - '1');
      if (k < args.size()) {
        out += *std::next(args.begin(), static_cast<std::ptrdiff_t>(k));
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace qv
