// The FIT reader: a file (or several chained ones) of definition and data
// messages. Only what a race needs is kept: file_id, lap and record.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "file/activity_readers.h"

namespace qv::activity {

namespace {

// 1989-12-31 00:00:00 UTC, FIT's time zero, in Unix seconds.
constexpr std::int64_t kFitEpochS = 631065600;

// The messages and fields read, by their numbers in FIT's profile.
constexpr std::uint16_t kMsgFileId = 0;
constexpr std::uint16_t kMsgLap = 19;
constexpr std::uint16_t kMsgRecord = 20;
constexpr std::uint8_t kFieldTimestamp = 253;  // in any message
constexpr std::uint8_t kFileIdType = 0;
constexpr std::uint8_t kFileIdManufacturer = 1;
constexpr std::uint8_t kLapStartTime = 2;
constexpr std::uint8_t kLapTotalElapsedTime = 7;  // ms
constexpr std::uint8_t kLapTotalDistance = 9;     // cm
constexpr std::uint8_t kRecordPositionLat = 0;    // semicircles
constexpr std::uint8_t kRecordPositionLong = 1;
constexpr std::uint8_t kRecordDistance = 5;       // cm
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

// An integer base type: its size in bytes and its invalid value's kind.
struct IntBase {
  std::uint8_t size = 0;
  bool isSigned = false;
  bool zeroInvalid = false;  // the "z" types: 0 is invalid, not all ones
};

// The fields read, each at most once a message. A definition finds where
// they lie when it is read, so that a data message costs a few reads
// beyond its bytes however many fields it defines.
enum Slot : std::uint8_t {
  kSlotTimestamp,
  kSlotFileType,
  kSlotManufacturer,
  kSlotLapStart,
  kSlotLapElapsed,
  kSlotLapDistance,
  kSlotLat,
  kSlotLon,
  kSlotDistance,
  kSlotCount
};

std::optional<Slot> SlotOf(std::uint16_t global, std::uint8_t num) {
  if (num == kFieldTimestamp) return kSlotTimestamp;
  switch (global) {
    case kMsgFileId:
      if (num == kFileIdType) return kSlotFileType;
      if (num == kFileIdManufacturer) return kSlotManufacturer;
      break;
    case kMsgLap:
      if (num == kLapStartTime) return kSlotLapStart;
      if (num == kLapTotalElapsedTime) return kSlotLapElapsed;
      if (num == kLapTotalDistance) return kSlotLapDistance;
      break;
    case kMsgRecord:
      if (num == kRecordPositionLat) return kSlotLat;
      if (num == kRecordPositionLong) return kSlotLon;
      if (num == kRecordDistance) return kSlotDistance;
      break;
    default:
      break;
  }
  return std::nullopt;
}

struct UsedField {
  bool present = false;  // an integer field long enough for its type
  IntBase base{};
  std::uint32_t offset = 0;  // from the data message's first byte
};

struct MessageDef {
  bool defined = false;
  bool bigEndian = false;
  std::uint16_t global = 0;
  std::size_t size = 0;  // the data message's bytes after its header,
                         // developer fields included
  std::array<UsedField, kSlotCount> used{};
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

// The integer type a field holds, or nothing when it is not an integer
// type or too short for one: such a field never has a value.
std::optional<IntBase> IntBaseOf(const FieldDef& f) {
  static constexpr std::array<IntBase, 17> kBases = {{
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
  const IntBase base = kBases[index];
  if (base.size == 0 || f.size < base.size) return std::nullopt;
  return base;
}

// An integer field's first element, or nothing when it holds its base
// type's invalid value.
std::optional<std::int64_t> FieldInt(const unsigned char* p, IntBase base,
                                     bool bigEndian) {
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

using Kind = ActivityError::Kind;

class FitDecoder {
 public:
  FitDecoder(ActivityRecord& out, FitStats& stats)
      : m_out(out), m_stats(stats) {}

  ActivityError Read(std::string_view bytes) {
    // Every chained file's header and CRCs are checked before a message is
    // read: a damaged file imports nothing.
    if (ActivityError error = Chain(bytes, true)) return error;
    // The first pass counts the points, so that the second stores them
    // without the slack of a growing vector (up to twice the points'
    // memory, in a file of 256 MiB hundreds of MB).
    for (const bool counting : {true, false}) {
      m_counting = counting;
      if (ActivityError error = Chain(bytes, false)) return error;
      if (counting) OnlyTrack(m_out).reserve(m_points);
    }
    if (!m_isActivity) return {Kind::FitNotActivity};
    return {};
  }

 private:
  // Walks the chained files: checks each one's header and CRCs, or reads
  // its messages (the walk after the check meets the same headers).
  ActivityError Chain(std::string_view bytes, bool checking) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    do {
      ++m_stats.steps;
      const std::size_t left = size - pos;
      const bool looksLikeHeader = left >= 12 && b[pos] >= 12 &&
                                   bytes.substr(pos + 8, 4) == ".FIT";
      if (!looksLikeHeader)
        return {pos == 0 ? Kind::FitBadHeader : Kind::FitTrailingBytes};
      const std::size_t headerSize = b[pos];
      if (headerSize > left) return {Kind::FitTruncated};
      const std::size_t dataSize = Le32(b + pos + 4);
      if (dataSize > left - headerSize || left - headerSize - dataSize < 2)
        return {Kind::FitTruncated};
      const std::size_t end = pos + headerSize + dataSize;
      if (checking) {
        if (headerSize >= 14) {
          const std::uint16_t headerCrc = Le16(b + pos + 12);
          if (headerCrc != 0 && headerCrc != FitCrc(0, bytes.substr(pos, 12)))
            return {Kind::FitHeaderCrc};
        }
        if (FitCrc(0, bytes.substr(pos, end - pos)) != Le16(b + end))
          return {Kind::FitFileCrc};
      } else if (ActivityError error =
                     ReadMessages(b + pos + headerSize, b + end)) {
        return error;
      }
      pos = end + 2;
    } while (pos < size);
    return {};
  }

  // One file's data records: local definitions and the running timestamp
  // belong to that file.
  ActivityError ReadMessages(const unsigned char* p,
                             const unsigned char* end) {
    for (MessageDef& def : m_defs) def.defined = false;
    std::optional<std::uint32_t> lastTimestamp;
    while (p < end) {
      ++m_stats.steps;
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
        if (ActivityError error = Definition(header, p, end)) return error;
        continue;
      } else {
        local = header & 0x0F;
      }
      const MessageDef& def = m_defs[local];
      if (!def.defined) return {Kind::FitUndefinedMessage};
      if (static_cast<std::size_t>(end - p) < def.size)
        return {Kind::FitTruncated};
      Message(def, p, timestamp, lastTimestamp);
      p += def.size;
    }
    return {};
  }

  // A definition message after its header; p moves past it.
  ActivityError Definition(unsigned header, const unsigned char*& p,
                           const unsigned char* end) {
    const bool developer = (header & 0x20) != 0;
    if (end - p < 5) return {Kind::FitTruncated};
    MessageDef& def = m_defs[header & 0x0F];
    def = MessageDef{};
    def.defined = true;
    def.bigEndian = p[1] == 1;
    def.global = static_cast<std::uint16_t>(ReadRaw(p + 2, 2, def.bigEndian));
    const std::size_t count = p[4];
    p += 5;
    if (static_cast<std::size_t>(end - p) < count * 3)
      return {Kind::FitTruncated};
    for (std::size_t i = 0; i < count; ++i, p += 3) {
      ++m_stats.steps;
      const FieldDef field{p[0], p[1], p[2]};
      // The last of a number counts, as a value or as none.
      if (const std::optional<Slot> slot = SlotOf(def.global, field.num)) {
        const std::optional<IntBase> base = IntBaseOf(field);
        def.used[*slot] = {base.has_value(), base.value_or(IntBase{}),
                           static_cast<std::uint32_t>(def.size)};
      }
      def.size += field.size;
    }
    if (developer) {
      if (end - p < 1) return {Kind::FitTruncated};
      const std::size_t devCount = *p++;
      if (static_cast<std::size_t>(end - p) < devCount * 3)
        return {Kind::FitTruncated};
      // Developer fields are skipped by their size.
      for (std::size_t i = 0; i < devCount; ++i, p += 3) {
        ++m_stats.steps;
        def.size += p[1];
      }
    }
    return {};
  }

  void Message(const MessageDef& def, const unsigned char* p,
               std::optional<std::uint32_t> timestamp,
               std::optional<std::uint32_t>& lastTimestamp) {
    const auto value = [&](Slot slot) -> std::optional<std::int64_t> {
      const UsedField& used = def.used[slot];
      if (!used.present) return std::nullopt;
      ++m_stats.steps;
      return FieldInt(p + used.offset, used.base, def.bigEndian);
    };
    // FIT's times, elapsed times and distances are uint32: a wider field
    // holding more is not one, and would overflow the sums.
    const auto uint32 = [&](Slot slot) -> std::optional<std::int64_t> {
      const std::optional<std::int64_t> v = value(slot);
      if (v && *v >= 0 && *v <= UINT32_MAX) return v;
      return std::nullopt;
    };
    // Checked first: a message without the field then costs little more
    // than its header.
    if (def.used[kSlotTimestamp].present) {
      if (const auto t = uint32(kSlotTimestamp))
        timestamp = lastTimestamp = static_cast<std::uint32_t>(*t);
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
        m_isActivity = value(kSlotFileType) == kFileTypeActivity;
        if (value(kSlotManufacturer) == kManufacturerGarmin)
          m_out.device = "Garmin";
        return;
      case kMsgLap: {
        // The watch's own stamps and elapsed time (none where invalid or
        // negative): the split step resolves a lap's time from them.
        ActivityLap lap;
        lap.elapsedMs = uint32(kSlotLapElapsed);
        lap.distanceCm = uint32(kSlotLapDistance).value_or(0);
        if (const auto start = uint32(kSlotLapStart))
          lap.startMs = (kFitEpochS + *start) * 1000;
        if (timestamp) lap.endMs = (kFitEpochS + *timestamp) * 1000;
        AddLap(m_out, lap);
        return;
      }
      case kMsgRecord: {
        if (!timestamp) return;
        ActivityPoint point;
        point.timeMs = (kFitEpochS + *timestamp) * 1000;
        if (const auto cm = value(kSlotDistance); cm && *cm >= 0)
          point.distanceM = static_cast<double>(*cm) / 100.0;
        const std::optional<std::int64_t> lat = value(kSlotLat);
        const std::optional<std::int64_t> lon = value(kSlotLon);
        if (lat && lon && *lat >= -0x40000000 && *lat <= 0x40000000 &&
            *lon > INT32_MIN && *lon <= INT32_MAX) {
          // Semicircles: 2^31 = 180 degrees.
          point.latDeg = static_cast<double>(*lat) * (180.0 / 2147483648.0);
          point.lonDeg = static_cast<double>(*lon) * (180.0 / 2147483648.0);
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
  FitStats& m_stats;
  std::array<MessageDef, 16> m_defs{};
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

ActivityError ReadFit(std::string_view bytes, ActivityRecord& out,
                      FitStats* stats) {
  FitStats own;
  return FitDecoder(out, stats != nullptr ? *stats : own).Read(bytes);
}

}  // namespace qv::activity
