// The choice of language, the catalogue reader, and that every text the
// program can show is marked for the catalogue and has its English.
#include "res/i18n.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

namespace qv {
namespace {

constexpr Language ja = Language::Japanese, en = Language::English;

TEST(Language, FromTheLocaleVariables) {
  const struct {
    const char *language, *lcAll, *lcMessages, *lang;
    Language want;
  } cases[] = {
      {nullptr, nullptr, nullptr, nullptr, ja},
      {nullptr, nullptr, nullptr, "C", ja},
      {nullptr, nullptr, nullptr, "POSIX", ja},
      {nullptr, nullptr, nullptr, "C.UTF-8", ja},
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", ja},
      {nullptr, nullptr, nullptr, "en_US.UTF-8", en},
      {nullptr, nullptr, nullptr, "de_DE.UTF-8", en},
      {nullptr, nullptr, nullptr, "fr", en},
      // The first variable set decides; an empty one is not set.
      {nullptr, "ja_JP.UTF-8", nullptr, "en_GB.UTF-8", ja},
      {nullptr, "", "en_GB.UTF-8", "ja_JP.UTF-8", en},
      {nullptr, "C", "en_GB.UTF-8", nullptr, ja},
      {"", nullptr, nullptr, "en_US.UTF-8", en},
      // LANGUAGE first; in its list the first language we speak.
      {"fr:ja:en", nullptr, nullptr, "en_US.UTF-8", ja},
      {"de_AT:de", nullptr, nullptr, "ja_JP.UTF-8", en},
      {"en@quot", nullptr, nullptr, "ja_JP.UTF-8", en},
      {"C", nullptr, nullptr, "en_US.UTF-8", en},
      {":", nullptr, nullptr, nullptr, ja},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.language ? c.language : "-") + " " +
                 (c.lcAll ? c.lcAll : "-") + " " +
                 (c.lcMessages ? c.lcMessages : "-") + " " +
                 (c.lang ? c.lang : "-"));
    EXPECT_EQ(LanguageOf(c.language, c.lcAll, c.lcMessages, c.lang), c.want);
  }
  EXPECT_EQ(ParseLanguageCode(LanguageCode(en)), en);
  EXPECT_EQ(ParseLanguageCode(LanguageCode(ja)), ja);
  EXPECT_EQ(ParseLanguageCode("de"), std::nullopt);
}

std::string BuiltCatalogue() {
  std::ifstream in(QV_BUILD_LOCALEDIR "/en/LC_MESSAGES/quorvane.mo",
                   std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Catalogue, ReadsWhatMsgfmtWritesAndRefusesDamage) {
  const std::string bytes = BuiltCatalogue();
  ASSERT_GT(bytes.size(), 100u);
  const auto catalogue = Catalogue::Parse(bytes);
  ASSERT_TRUE(catalogue);
  EXPECT_STREQ(catalogue->Find("全区間"), "Total");
  EXPECT_EQ(catalogue->Find("全区"), nullptr);
  EXPECT_EQ(catalogue->Find(""), nullptr);  // the header is no text
  // Cut anywhere, the strings' ends or tables are gone: refused, and
  // never read past the bytes (the sanitizer would tell).
  for (std::size_t n = 0; n < bytes.size(); n += 7)
    EXPECT_FALSE(Catalogue::Parse(bytes.substr(0, n))) << n;
  // Any byte of the header or the tables changed: read or refused, never
  // out of bounds.
  for (std::size_t i = 0; i < 28; ++i) {
    std::string damaged = bytes;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x80);
    if (const auto c = Catalogue::Parse(damaged)) c->Find("全区間");
  }
  // The same catalogue written big-endian reads the same.
  std::string big = bytes;
  const auto n = static_cast<std::size_t>(
      static_cast<unsigned char>(bytes[8]) |
      static_cast<unsigned char>(bytes[9]) << 8);
  auto swap = [&big](std::size_t at) {
    std::swap(big[at], big[at + 3]);
    std::swap(big[at + 1], big[at + 2]);
  };
  for (std::size_t at = 0; at < 28; at += 4) swap(at);
  const auto word = [&bytes](std::size_t at) {
    std::size_t v = 0;
    for (int k = 3; k >= 0; --k)
      v = v << 8 | static_cast<unsigned char>(bytes[at + k]);
    return v;
  };
  for (std::size_t t : {word(12), word(16)})
    for (std::size_t k = 0; k < 2 * n; ++k) swap(t + 4 * k);
  const auto bigCatalogue = Catalogue::Parse(big);
  ASSERT_TRUE(bigCatalogue);
  EXPECT_EQ(bigCatalogue->Msgids(), catalogue->Msgids());
  EXPECT_STREQ(bigCatalogue->Find("全区間"), "Total");
}

// $QUORVANE_LOCALEDIR comes first; a FIFO or a damaged catalogue there is
// passed over without waiting, and the build's own (found beside the test
// as an installed program finds its own) is read.
TEST(Catalogue, FoldersPassOverWhatIsNoCatalogue) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() /
                       ("qv-i18n-" + std::to_string(::getpid()));
  const fs::path messages = dir / "en" / "LC_MESSAGES";
  fs::create_directories(messages);
  const std::string mo = (messages / "quorvane.mo").string();
  ::setenv("QUORVANE_LOCALEDIR", dir.c_str(), 1);
  ASSERT_EQ(CatalogueFolders().front(), dir.string());
  for (const char* kind : {"fifo", "damaged"}) {
    SCOPED_TRACE(kind);
    fs::remove(mo);
    if (kind[0] == 'f') {
      ASSERT_EQ(::mkfifo(mo.c_str(), 0600), 0);
    } else {
      std::ofstream(mo) << BuiltCatalogue().substr(0, 100);
    }
    ASSERT_TRUE(SetLanguages(en, ja));
    EXPECT_STREQ(Tr("全区間"), "Total");
    EXPECT_STREQ(Tr(ja, "全区間"), "全区間");
    EXPECT_EQ(OutputLanguage(), ja);
  }
  SetLanguages(ja, ja);
  ::unsetenv("QUORVANE_LOCALEDIR");
  fs::remove_all(dir);
}

// The texts of a source file that are not plain ASCII, each with whether
// it stands in N_(...). Comments, character literals and raw strings are
// skipped; adjacent literals are one text.
std::vector<std::pair<std::string, bool>> Texts(const std::string& source) {
  static const std::regex token(
      R"(//[^\n]*|/\*[\s\S]*?\*/|'(?:[^'\\\n]|\\.)*'|"(?:[^"\\\n]|\\.)*"|N_\s*\(|\S)");
  std::vector<std::string> tokens;
  for (auto it = std::sregex_iterator(source.begin(), source.end(), token);
       it != std::sregex_iterator(); ++it)
    tokens.push_back(it->str());
  std::vector<std::pair<std::string, bool>> texts;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i][0] != '"') continue;
    const bool marked = i > 0 && tokens[i - 1].rfind("N_", 0) == 0;
    std::string text;
    for (; i < tokens.size() && tokens[i][0] == '"'; ++i)
      text += tokens[i].substr(1, tokens[i].size() - 2);
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x80;
    });
    if (marked || !ascii) texts.emplace_back(text, marked);
  }
  return texts;
}

// C escapes as xgettext and msgfmt read them.
std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
  }
  return out;
}

TEST(Catalogue, EveryTextTheProgramShowsHasItsEnglish) {
  const auto catalogue = Catalogue::Parse(BuiltCatalogue());
  ASSERT_TRUE(catalogue);
  // Japanese that is no text to translate: the time cells' Japanese form
  // (English has its own), a font's name and the title's dash.
  const std::set<std::string> notTexts = {"時", "分", "秒",
                                          "ＭＳ Ｐゴシック", " — "};
  int marked = 0;
  namespace fs = std::filesystem;
  for (const char* folder :
       {"app", "race", "file", "graph", "print", "input", "res", "report"}) {
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(QV_SOURCE_DIR) / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      std::ifstream in(entry.path());
      const std::string source{std::istreambuf_iterator<char>(in), {}};
      for (const auto& [text, isMarked] : Texts(source)) {
        SCOPED_TRACE(entry.path().string() + ": " + text);
        if (!isMarked) {
          EXPECT_TRUE(notTexts.count(text)) << "not marked with N_()";
          continue;
        }
        ++marked;
        if (!text.empty() && text.find_first_not_of("0123456789") !=
                                 std::string::npos) {
          EXPECT_NE(catalogue->Find(Unescaped(text)), nullptr)
              << "no English in res/po/en.po";
        }
      }
    }
  }
  EXPECT_GT(marked, 150);
}

}  // namespace
}  // namespace qv
