// One expat pass over an XML record, shared by the TCX and GPX readers: the
// bytes in any encoding XmlAsUtf8 reads, fed in chunks so that expat's
// buffer stays small, entities refused, and the open elements kept as a
// stack of the handler's tokens. A handler only says what its elements mean.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file/activity.h"

namespace qv::activity {

// A handler's name for an element; 0 is every element it does not look at.
using XmlToken = std::uint8_t;

class XmlElements {
 public:
  // The token n levels above the current element (0: the element itself).
  XmlToken Up(std::size_t n) const {
    return n < m_stack.size() ? m_stack[m_stack.size() - 1 - n] : 0;
  }

 private:
  friend class XmlDriver;
  std::vector<XmlToken> m_stack;
};

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  // The token of an element by its local name (no namespace prefix).
  virtual XmlToken TokenOf(std::string_view localName) const = 0;
  // The root element's token; any other root refuses the file.
  virtual XmlToken Root() const = 0;
  // An element opened, on top of elements; attrs as expat gives them. True
  // to collect its text for End.
  virtual bool Start(const XmlElements& elements, const char** attrs) = 0;
  // The element on top of elements closes, its text trimmed (empty unless
  // Start asked for it).
  virtual void End(const XmlElements& elements, std::string_view text) = 0;
};

// Reads bytes through handler; the refusal of the XML itself, if any.
ActivityError ReadXml(std::string_view bytes, XmlHandler& handler);

// An attribute's value by its local name, or nullptr.
const char* XmlAttr(const char** attrs, std::string_view localName);

// A whole decimal number, nothing else around it but blanks.
std::optional<double> XmlNumber(std::string_view text);

// At most the text kept of one element (a name, a note), cut at a
// character boundary.
std::string XmlCut(std::string_view text);

// Keeps a track point, timed at timeMs, placed where lat and lon are both
// degrees in range, when a split can use it.
void KeepXmlPoint(std::vector<ActivityPoint>& into, ActivityPoint point,
                  std::int64_t timeMs, std::optional<double> lat,
                  std::optional<double> lon);

}  // namespace qv::activity
