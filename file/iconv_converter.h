// A conversion between two encodings through glibc's iconv, shared by the
// race file's code page 932 and the records' declared encodings.
#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

class Converter {
 public:
  Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~Converter() {
    if (Ok()) iconv_close(m_cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  enum class Stop { Done, Invalid };

  // Converts in from pos onwards, appending to out, until the end or the
  // first sequence it cannot convert; pos is left at that sequence.
  Stop Run(std::string_view in, std::size_t& pos, std::string& out) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    // iconv takes a non-const input pointer but never writes through it.
    char* inPtr = const_cast<char*>(in.data()) + pos;
    std::size_t inLeft = in.size() - pos;
    for (;;) {
      char chunk[4096];
      char* outPtr = chunk;
      std::size_t outLeft = sizeof chunk;
      const std::size_t r = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
      const int err = errno;
      out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
      pos = in.size() - inLeft;
      if (r != static_cast<std::size_t>(-1)) return Stop::Done;
      if (err != E2BIG) return Stop::Invalid;  // EILSEQ, or EINVAL at the end
    }
  }

 private:
  iconv_t m_cd;
};

}  // namespace qv
