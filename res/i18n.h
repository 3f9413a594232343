// The program's languages. Texts are written in Japanese in the sources and
// marked with N_() so that xgettext collects them; English comes from the
// gettext catalogue (res/po/en.po, built into quorvane.mo by msgfmt).
//
// Two languages are in play: the one the program speaks to its user in
// (captions, messages, help) and the one of what it produces (the list's
// cells, the graph, the page, the CSV). They are the same in the window;
// quorvane-report chooses the second with --lang.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Marks a text for the catalogue without translating it where it stands.
#define N_(text) text

namespace qv {

enum class Language { Japanese, English };

// The language a desktop program would take from these variables, looked
// at in gettext's order (LANGUAGE, LC_ALL, LC_MESSAGES, LANG; a null or
// empty one is skipped). LANGUAGE is a list: its first Japanese or English
// entry wins. Japanese for "ja", for C and POSIX and when none is set;
// English for every other language.
Language LanguageOf(const char* language, const char* lcAll,
                    const char* lcMessages, const char* lang);
Language LanguageFromEnvironment();

// "ja" or "en", and back (nullopt for anything else).
std::string_view LanguageCode(Language language);
std::optional<Language> ParseLanguageCode(std::string_view code);

// A gettext catalogue (the GNU .mo format msgfmt writes): msgid -> msgstr.
class Catalogue {
 public:
  // Nullopt for bytes that are not a well-formed catalogue.
  static std::optional<Catalogue> Parse(std::string bytes);
  // The translation, or null when the catalogue has none (or an empty one).
  const char* Find(std::string_view msgid) const;
  // Every msgid, in the catalogue's order (the header's empty one left out).
  std::vector<std::string_view> Msgids() const;

 private:
  struct Entry {
    std::string_view msgid;
    const char* msgstr;
  };
  std::string m_bytes;
  std::vector<Entry> m_entries;  // sorted by msgid, as msgfmt writes them
};

// Where the English catalogue is looked for: $QUORVANE_LOCALEDIR, the
// program's ../share/locale, then the install's locale folder.
std::vector<std::string> CatalogueFolders();

// Sets the two languages once, at start-up, before any other thread runs.
// English loads its catalogue; false when none was found, and both are
// then Japanese.
bool SetLanguages(Language user, Language output);
Language UserLanguage();
Language OutputLanguage();

// A marked text in the user's language, or in the one given. The result
// lives as long as the program.
const char* Tr(const char* msgid);
const char* Tr(Language language, const char* msgid);

// A text of res/strings.h: it reads as the user's language wherever a
// const char* is taken.
struct Text {
  const char* id;
  operator const char*() const { return Tr(id); }
  operator std::string_view() const { return Tr(id); }
  const char* In(Language language) const { return Tr(language, id); }
  const char* c_str() const { return Tr(id); }
};

inline bool operator==(const Text& text, std::string_view other) {
  return std::string_view(text) == other;
}

// "%1", "%2"… replaced by the arguments, so a translation may order them
// as its language needs.
std::string Fill(std::string_view format,
                 std::initializer_list<std::string_view> args);

}  // namespace qv
