// A small FIT encoder for the tests and the benchmarks: definitions, data
// messages (normal or with a compressed timestamp header), either byte
// order, developer fields, and the header and file CRCs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file/activity_readers.h"

namespace qv::fitwriter {

// FIT's time zero in Unix seconds.
inline constexpr std::int64_t kEpochS = 631065600;

struct Field {
  std::uint8_t num, size, baseType;
};

inline constexpr std::uint8_t kEnum = 0x00, kUint16 = 0x84, kSint32 = 0x85,
                              kUint32 = 0x86, kUint64 = 0x8F,
                              kSint64 = 0x8E, kUint64z = 0x90;
inline constexpr std::uint64_t kInvalid32 = 0xFFFFFFFF;  // uint32's "none"

// n bytes of v, least significant first unless bigEndian.
inline void Put(std::string& out, std::uint64_t v, int n, bool bigEndian = false) {
  for (int i = 0; i < n; ++i)
    out += static_cast<char>((v >> (8 * (bigEndian ? n - 1 - i : i))) & 0xFF);
}

class Writer {
 public:
  void Define(int local, std::uint16_t global, std::vector<Field> fields,
              bool bigEndian = false, std::vector<std::uint8_t> devSizes = {}) {
    m_data += static_cast<char>(0x40 | (devSizes.empty() ? 0 : 0x20) | local);
    m_data += std::string{'\0', static_cast<char>(bigEndian)};
    Put(m_data, global, 2, bigEndian);
    m_data += static_cast<char>(fields.size());
    for (const Field& f : fields)
      m_data += {static_cast<char>(f.num), static_cast<char>(f.size),
                 static_cast<char>(f.baseType)};
    if (!devSizes.empty()) m_data += static_cast<char>(devSizes.size());
    for (std::size_t i = 0; i < devSizes.size(); ++i)
      m_data += {static_cast<char>(i), static_cast<char>(devSizes[i]), '\0'};
    m_defs[local] = {std::move(fields), bigEndian, std::move(devSizes)};
  }

  // values: one per defined field, raw (invalid values as they are).
  void Data(int local, const std::vector<std::uint64_t>& values) {
    m_data += static_cast<char>(local);
    Values(local, values);
  }

  // local 0..3, offset 0..31 against the last full timestamp.
  void Compressed(int local, int offset, const std::vector<std::uint64_t>& values) {
    m_data += static_cast<char>(0x80 | (local << 5) | offset);
    Values(local, values);
  }

  void Raw(const std::string& bytes) { m_data += bytes; }

  // The whole file: a 14-byte header (or 12, without its CRC), the data
  // and the file CRC.
  std::string File(int headerSize = 14) const {
    std::string out{static_cast<char>(headerSize), 0x20};  // protocol 2.0
    Put(out, 2134, 2);  // profile 21.34
    Put(out, m_data.size(), 4);
    out += ".FIT";
    if (headerSize == 14) Put(out, activity::FitCrc(0, out), 2);
    out += m_data;
    Put(out, activity::FitCrc(0, out), 2);
    return out;
  }

 private:
  struct Def {
    std::vector<Field> fields;
    bool bigEndian = false;
    std::vector<std::uint8_t> devSizes;
  };

  void Values(int local, const std::vector<std::uint64_t>& values) {
    const Def& def = m_defs[local];
    for (std::size_t i = 0; i < def.fields.size(); ++i)
      Put(m_data, i < values.size() ? values[i] : 0, def.fields[i].size,
          def.bigEndian);
    for (std::uint8_t size : def.devSizes) m_data.append(size, '\x5A');
  }

  std::string m_data;
  Def m_defs[16];
};

// The messages an activity needs, on local types 0 (file_id), 1 (lap) and
// 2 (record).
inline void DefineActivity(Writer& w, std::uint64_t fileType = 4) {
  w.Define(0, 0, {{0, 1, kEnum}, {1, 2, kUint16}, {2, 2, kUint16}});
  w.Data(0, {fileType, 1, 1623});
  w.Define(1, 19, {{253, 4, kUint32}, {2, 4, kUint32}, {7, 4, kUint32},
                   {9, 4, kUint32}});
  w.Define(2, 20, {{253, 4, kUint32}, {5, 4, kUint32}, {0, 4, kSint32},
                   {1, 4, kSint32}});
}

// A lap as the watch stamps it: its end (field 253), start (2), elapsed
// time in ms (7) and distance; kInvalid32 where the watch wrote none.
inline void Lap(Writer& w, std::uint64_t start, std::uint64_t end,
                std::uint64_t elapsedMs, std::uint32_t distanceCm) {
  w.Data(1, {end, start, elapsedMs, distanceCm});
}
// One that ends when its elapsed time is up.
inline void Lap(Writer& w, std::uint32_t start, std::uint32_t elapsedMs,
                std::uint32_t distanceCm) {
  Lap(w, start, start + elapsedMs / 1000, elapsedMs, distanceCm);
}

inline void Record(Writer& w, std::uint32_t time, std::uint32_t distanceCm,
                   std::int32_t lat = 0x7FFFFFFF, std::int32_t lon = 0x7FFFFFFF) {
  w.Data(2, {time, distanceCm, static_cast<std::uint32_t>(lat),
             static_cast<std::uint32_t>(lon)});
}

// Two 1 km laps, 5:00 and 4:50, with a point at each end.
inline std::string TwoLapFit() {
  Writer w;
  DefineActivity(w);
  for (std::uint32_t k = 0; k < 3; ++k)
    Record(w, 1'000'000'000 + 300 * k - 10 * (k / 2), 100'000 * k);
  Lap(w, 1'000'000'000, 300'000, 100'000);
  Lap(w, 1'000'000'300, 290'000, 100'000);
  return w.File();
}

}  // namespace qv::fitwriter
