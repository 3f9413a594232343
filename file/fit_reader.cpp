// The FIT reader: a file (or several chained ones) of definition and data
// messages. Only what a race needs is kept: file_id, lap and record.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "file/activity_readers.h"
#include "res/strings.h"

namespace qv::activity {

namespace {

// 1989-12-31 00:00:00 UTC, FIT's time zero, in Unix seconds.
constexpr std::int64_t kFitEpochS = 631065600;

constexpr std::uint16_t kMsgFileId = 0;
constexpr std::uint16_t kMsgLap = 19;
constexpr std::uint16_t kMsgRecord = 20;
constexpr std::uint8_t kFieldTimestamp = 253;
constexpr std::int64_t kFileTypeActivity = 4;
constexpr std::int64_t kManufacturerGarmin = 1;

// CRC-16 with the reflected polynomial 0xA001, a byte at a time.
constexpr std::array<std::uint16_t, 256> MakeCrcTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    std::uint16_t crc = static_cast<std::uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                      : static_cast<std::uint16_t>(crc >> 1);
    table[i] = crc;
  }
  return table;
}
constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();

struct FieldDef {
  std::uint8_t num = 0;
  std::uint8_t size = 0;
  std::uint8_t baseType = 0;
};

struct MessageDef {
  bool defined = false;
  bool bigEndian = false;
  std::uint16_t global = 0;
  std::vector<FieldDef> fields;
  std::size_t size = 0;  // the data message's bytes after its header,
                         // developer fields included
};

std::uint64_t ReadRaw(const unsigned char* p, std::size_t n, bool bigEndian) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t at = bigEndian ? i : n - 1 - i;
    v = (v << 8) | p[at];
  }
  return v;
}

std::uint32_t Le32(const unsigned char* p) {
  return static_cast<std::uint32_t>(ReadRaw(p, 4, false));
}

std::uint16_t Le16(const unsigned char* p) {
  return static_cast<std::uint16_t>(ReadRaw(p, 2, false));
}

// An integer field's first element, or nothing when it holds its base
// type's invalid value, is too short or is not an integer type.
std::optional<std::int64_t> FieldInt(const unsigned char* p,
                                     const FieldDef& f, bool bigEndian) {
  struct Base {
    std::uint8_t size;
    bool isSigned;
    bool zeroInvalid;  // the "z" types: 0 is invalid, not all ones
  };
  static constexpr std::array<Base, 17> kBases = {{
      {1, false, false},  // 0 enum
      {1, true, false},   // 1 sint8
      {1, false, false},  // 2 uint8
      {2, true, false},   // 3 sint16
      {2, false, false},  // 4 uint16
      {4, true, false},   // 5 sint32
      {4, false, false},  // 6 uint32
      {0, false, false},  // 7 string
      {0, false, false},  // 8 float32
      {0, false, false},  // 9 float64
      {1, false, true},   // 10 uint8z
      {2, false, true},   // 11 uint16z
      {4, false, true},   // 12 uint32z
      {1, false, false},  // 13 byte
      {8, true, false},   // 14 sint64
      {8, false, false},  // 15 uint64
      {8, false, true},   // 16 uint64z
  }};
  const unsigned index = f.baseType & 0x1F;
  if (index >= kBases.size()) return std::nullopt;
  const Base base = kBases[index];
  if (base.size == 0 || f.size < base.size) return std::nullopt;
  const std::uint64_t raw = ReadRaw(p, base.size, bigEndian);
  const unsigned bits = base.size * 8u;
  const std::uint64_t allOnes =
      bits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
  if (base.zeroInvalid) {
    if (raw == 0) return std::nullopt;
  } else if (base.isSigned) {
    if (raw == (allOnes >> 1)) return std::nullopt;
  } else if (raw == allOnes) {
    return std::nullopt;
  }
  if (base.isSigned && bits < 64 && (raw >> (bits - 1)) != 0)
    return static_cast<std::int64_t>(raw | ~allOnes);
  if (!base.isSigned && bits == 64 && raw > INT64_MAX) return std::nullopt;
  return static_cast<std::int64_t>(raw);
}

class FitDecoder {
 public:
  explicit FitDecoder(ActivityRecord& out) : m_out(out) {}

  std::string Read(std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    // Every chained file's data, once its header and CRCs are checked.
    std::vector<std::pair<std::size_t, std::size_t>> data;
    std::size_t pos = 0;
    do {
      const std::size_t left = size - pos;
      const bool looksLikeHeader = left >= 12 && b[pos] >= 12 &&
                                   bytes.substr(pos + 8, 4) == ".FIT";
      if (!looksLikeHeader)
        return data.empty() ? kMsgFitBadHeader : kMsgFitTrailingBytes;
      const std::size_t headerSize = b[pos];
      if (headerSize > left) return kMsgFitTruncated;
      if (headerSize >= 14) {
        const std::uint16_t headerCrc = Le16(b + pos + 12);
        if (headerCrc != 0 && headerCrc != FitCrc(0, bytes.substr(pos, 12)))
          return kMsgFitHeaderCrc;
      }
      const std::size_t dataSize = Le32(b + pos + 4);
      if (dataSize > left - headerSize || left - headerSize - dataSize < 2)
        return kMsgFitTruncated;
      const std::size_t end = pos + headerSize + dataSize;
      if (FitCrc(0, bytes.substr(pos, end - pos)) != Le16(b + end))
        return kMsgFitFileCrc;
      data.emplace_back(pos + headerSize, end);
      pos = end + 2;
    } while (pos < size);
    // The first pass counts the points, so that the second stores them
    // without the slack of a growing vector.
    for (const bool counting : {true, false}) {
      m_counting = counting;
      for (const auto& [from, to] : data)
        if (std::string error = ReadMessages(b + from, b + to); !error.empty())
          return error;
      if (counting) OnlyTrack(m_out).reserve(m_points);
    }
    if (!m_isActivity) return kMsgFitNotActivity;
    return "";
  }

 private:
  // One file's data records: local definitions and the running timestamp
  // belong to that file.
  std::string ReadMessages(const unsigned char* p, const unsigned char* end) {
    std::array<MessageDef, 16> defs{};
    std::optional<std::uint32_t> lastTimestamp;
    while (p < end) {
      const unsigned header = *p++;
      std::optional<std::uint32_t> timestamp;
      unsigned local;
      if (header & 0x80) {
        // Compressed timestamp: a 5-bit offset that rolls over against
        // the last full timestamp.
        local = (header >> 5) & 0x03;
        const std::uint32_t offset = header & 0x1F;
        if (lastTimestamp) {
          std::uint32_t t = (*lastTimestamp & ~std::uint32_t{0x1F}) + offset;
          if (offset < (*lastTimestamp & 0x1F)) t += 0x20;
          timestamp = lastTimestamp = t;
        }
      } else if (header & 0x40) {
        local = header & 0x0F;
        const bool developer = (header & 0x20) != 0;
        if (end - p < 5) return kMsgFitTruncated;
        MessageDef& def = defs[local];
        def = MessageDef{};
        def.defined = true;
        def.bigEndian = p[1] == 1;
        def.global = static_cast<std::uint16_t>(ReadRaw(p + 2, 2, def.bigEndian));
        const std::size_t count = p[4];
        p += 5;
        if (static_cast<std::size_t>(end - p) < count * 3)
          return kMsgFitTruncated;
        def.fields.reserve(count);
        for (std::size_t i = 0; i < count; ++i, p += 3) {
          def.fields.push_back({p[0], p[1], p[2]});
          def.size += p[1];
        }
        if (developer) {
          if (end - p < 1) return kMsgFitTruncated;
          const std::size_t devCount = *p++;
          if (static_cast<std::size_t>(end - p) < devCount * 3)
            return kMsgFitTruncated;
          // Developer fields are skipped by their size.
          for (std::size_t i = 0; i < devCount; ++i, p += 3) def.size += p[1];
        }
        continue;
      } else {
        local = header & 0x0F;
      }
      const MessageDef& def = defs[local];
      if (!def.defined) return kMsgFitUndefinedMessage;
      if (static_cast<std::size_t>(end - p) < def.size) return kMsgFitTruncated;
      Message(def, p, timestamp, lastTimestamp);
      p += def.size;
    }
    return "";
  }

  void Message(const MessageDef& def, const unsigned char* p,
               std::optional<std::uint32_t> timestamp,
               std::optional<std::uint32_t>& lastTimestamp) {
    std::optional<std::int64_t> f0, f1, f2, f5, f7, f9;
    for (const FieldDef& field : def.fields) {
      const unsigned char* at = p;
      p += field.size;
      if (field.num == kFieldTimestamp) {
        if (auto v = FieldInt(at, field, def.bigEndian);
            v && *v >= 0 && *v <= UINT32_MAX) {
          timestamp = lastTimestamp = static_cast<std::uint32_t>(*v);
        }
        continue;
      }
      if (def.global != kMsgFileId && def.global != kMsgLap &&
          def.global != kMsgRecord)
        continue;
      switch (field.num) {
        case 0: f0 = FieldInt(at, field, def.bigEndian); break;
        case 1: f1 = FieldInt(at, field, def.bigEndian); break;
        case 2: f2 = FieldInt(at, field, def.bigEndian); break;
        case 5: f5 = FieldInt(at, field, def.bigEndian); break;
        case 7: f7 = FieldInt(at, field, def.bigEndian); break;
        case 9: f9 = FieldInt(at, field, def.bigEndian); break;
        default: break;
      }
    }
    if (m_counting) {
      // An upper bound: points without distance or position are dropped.
      if (def.global == kMsgRecord && timestamp) ++m_points;
      return;
    }
    switch (def.global) {
      case kMsgFileId:
        if (m_fileIdSeen) return;
        m_fileIdSeen = true;
        m_isActivity = f0 == kFileTypeActivity;
        if (f1 == kManufacturerGarmin) m_out.device = "Garmin";
        return;
      case kMsgLap: {
        ActivityLap lap;
        // Elapsed time in ms, distance in cm: the file's own units.
        if (f7 && *f7 >= 0) lap.elapsedMs = *f7;
        if (f9 && *f9 >= 0) lap.distanceCm = *f9;
        if (f2 && *f2 >= 0) {
          lap.startMs = (kFitEpochS + *f2) * 1000;
        } else if (timestamp) {
          lap.startMs = (kFitEpochS + *timestamp) * 1000 - lap.elapsedMs;
        }
        AddLap(m_out, lap);
        return;
      }
      case kMsgRecord: {
        if (!timestamp) return;
        ActivityPoint point;
        point.timeMs = (kFitEpochS + *timestamp) * 1000;
        if (f5 && *f5 >= 0) point.distanceM = static_cast<double>(*f5) / 100.0;
        if (f0 && f1 && *f0 >= -0x40000000 && *f0 <= 0x40000000 &&
            *f1 > INT32_MIN && *f1 <= INT32_MAX) {
          point.latDeg = static_cast<double>(*f0) * (180.0 / 2147483648.0);
          point.lonDeg = static_cast<double>(*f1) * (180.0 / 2147483648.0);
        }
        if (KeepsPoint(OnlyTrack(m_out), point))
          OnlyTrack(m_out).push_back(point);
        return;
      }
      default:
        return;
    }
  }

  ActivityRecord& m_out;
  bool m_fileIdSeen = false;
  bool m_isActivity = false;
  bool m_counting = false;
  std::size_t m_points = 0;
};

}  // namespace

std::uint16_t FitCrc(std::uint16_t crc, std::string_view bytes) {
  for (const char c : bytes)
    crc = static_cast<std::uint16_t>(
        (crc >> 8) ^ kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF]);
  return crc;
}

std::string ReadFit(std::string_view bytes, ActivityRecord& out) {
  return FitDecoder(out).Read(bytes);
}

}  // namespace qv::activity
