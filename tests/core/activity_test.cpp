// Importing watch records: the FIT decoder's corners, the TCX and GPX
// readers, and the rules that make sections of laps and points.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "race/numtext.h"
#include "file/activity.h"
#include "file/activity_readers.h"
#include "file/xml_driver.h"
#include "file/race_file.h"
#include "fuzz/activity_invariants.h"
#include "fuzz/race_file_invariants.h"
#include "race/race_math.h"
#include "res/activity_messages.h"
#include "res/strings.h"
#include "tests/core/file_test_util.h"
#include "tests/core/fit_writer.h"

namespace qv {

// A refusal in a failed expectation, as the user reads it.
void PrintTo(const ActivityError& e, std::ostream* os) { *os << ActivityErrorText(e); }

namespace {

using fitwriter::Writer;
using Kind = ActivityError::Kind;
const ActivityError kOk;  // no refusal
constexpr std::uint64_t kNone = fitwriter::kInvalid32;
constexpr std::uint32_t kT0 = 1'000'000'000;  // a FIT time
// Metres in a degree of a great circle.
constexpr double kDegM = 6371008.8 * 3.14159265358979323846 / 180.0;

// What every imported table must be, whatever the source: as the fuzzer
// checks it, by arrival, and each point in whole metres.
void ExpectChained(const Race& race) {
  EXPECT_EQ(fuzz::CheckSections(race, std::nullopt), "");
  EXPECT_EQ(race.priority, Priority::Arrival);
  for (const RaceFileSection& s : race.sections)
    EXPECT_EQ(std::round(s.endKm * 1000.0) / 1000.0, s.endKm);
}

struct Expected {
  double endKm;
  int arrival;
};

void ExpectSections(const Race& race, const std::vector<Expected>& expected) {
  ExpectChained(race);
  ASSERT_EQ(race.sections.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(race.sections[i].endKm, expected[i].endKm);
    EXPECT_EQ(race.sections[i].arrival, expected[i].arrival);
  }
}

ActivityRecord Read(const std::string& bytes, const char* name = "run.fit") {
  ActivityReadResult r = ReadActivity(bytes, name);
  EXPECT_EQ(r.error, kOk);
  return r.record.value_or(ActivityRecord{});
}

ActivitySplit ByLaps(std::optional<double> official = std::nullopt) {
  return {ActivitySplit::Kind::Laps, 1.0, official, std::nullopt};
}
ActivitySplit Every(double km, std::optional<double> official = std::nullopt,
                    std::optional<std::size_t> track = std::nullopt) {
  return {ActivitySplit::Kind::EveryKm, km, official, track};
}

// file_id, laps and records, with each of the decoder's corners on the way:
// a compressed timestamp rolling over, a big-endian definition, developer
// fields, an unknown message and an invalid distance.
std::string CornerFit() {
  Writer w;
  fitwriter::DefineActivity(w);
  w.Define(3, 0xFF00, {{0, 2, fitwriter::kUint16}}, false, {3, 1});
  fitwriter::Record(w, kT0 + 30, 0, 0, 0);  // kT0 + 30 ends in 0b11110
  w.Define(2, 20, {{5, 4, fitwriter::kUint32}}, false, {2});
  w.Data(3, {7});  // the compressed header names its own local type
  // Offset 1 is below the last timestamp's low bits (30): it rolls over
  // to kT0 + 33.
  w.Compressed(2, 1, {50000});
  w.Define(5, 20, {{253, 4, fitwriter::kUint32}, {5, 4, fitwriter::kUint32},
                   {0, 4, fitwriter::kSint32}, {1, 4, fitwriter::kSint32}},
           true);
  w.Data(5, {kT0 + 40, 0xFFFFFFFF, 0x12345678, 0x7FFFFFFF - 1});
  w.Data(5, {kT0 + 45, 100000, 0x50000000, 0x100});  // past 90 degrees
  w.Data(5, {kT0 + 46, 100500, 0xBFFFFFFF, 0x100});  // just past -90
  // Neither distance nor position: it cannot place a split, so it goes.
  w.Data(5, {kT0 + 50, 0xFFFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF});
  // Nor does one whose position fields are uint64 past INT64_MAX: none.
  w.Define(3, 20, {{253, 4, fitwriter::kUint32}, {0, 8, fitwriter::kUint64},
                   {1, 8, fitwriter::kUint64}});
  w.Data(3, {kT0 + 55, ~std::uint64_t{1}, ~std::uint64_t{1}});
  w.Data(3, {kT0 + 56, 0, 0});  // where 0 is a value
  // In sint64 they are signed, even though FIT itself never uses it.
  w.Define(4, 20, {{253, 4, fitwriter::kUint32}, {0, 8, fitwriter::kSint64},
                   {1, 8, fitwriter::kSint64}});
  w.Data(4, {kT0 + 57, ~std::uint64_t{255}, 0});
  w.Define(4, 20, {{253, 4, fitwriter::kUint32}, {0, 8, fitwriter::kSint64},
                   {1, 8, fitwriter::kUint64z}});  // no position: dropped
  w.Data(4, {kT0 + 59, ~std::uint64_t{255}, ~std::uint64_t{255}});
  fitwriter::Lap(w, kT0 + 30, 15'004, 100'049);
  return w.File();
}

TEST(FitDecoder, ReadsEveryKindOfMessage) {
  EXPECT_EQ(activity::FitCrc(0, "123456789"), 0xBB3D);  // the protocol's CRC-16
  const ActivityRecord r = Read(CornerFit());
  EXPECT_EQ(r.device, "Garmin");
  ASSERT_EQ(r.laps.size(), 1u);
  EXPECT_EQ(r.laps[0].startMs, (fitwriter::kEpochS + kT0 + 30) * 1000);
  EXPECT_EQ(r.laps[0].elapsedMs, 15'004);
  EXPECT_EQ(r.laps[0].distanceCm, 100'049);
  const struct {
    std::uint32_t t;
    double m;  // below 0: none
    bool position;
  } expected[] = {{30, 0.0, true}, {33, 500.0, false}, {40, -1, true},
                  {45, 1000.0, false}, {46, 1005.0, false}, {56, -1, true},
                  {57, -1, true}};
  ASSERT_EQ(r.tracks.size(), 1u);
  const std::vector<ActivityPoint>& points = r.tracks[0].points;
  ASSERT_EQ(points.size(), std::size(expected));
  for (std::size_t i = 0; i < points.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(points[i].timeMs, (fitwriter::kEpochS + kT0 + expected[i].t) * 1000);
    EXPECT_EQ(points[i].HasDistance(), expected[i].m >= 0);
    if (expected[i].m >= 0) {
      EXPECT_EQ(points[i].distanceM, expected[i].m);
    }
    EXPECT_EQ(points[i].HasPosition(), expected[i].position);
  }
  // Read big-endian, semicircles to degrees.
  EXPECT_EQ(points[2].latDeg, 0x12345678 * (180.0 / 2147483648.0));
  EXPECT_EQ(points[2].lonDeg, (0x7FFFFFFF - 1) * (180.0 / 2147483648.0));
  EXPECT_TRUE(points[6].latDeg < 0 && points[6].lonDeg == 0);
}

TEST(FitDecoder, ChainedFilesAreOneRecordAndTheTwelveByteHeaderReads) {
  Writer a, b;
  fitwriter::DefineActivity(a);
  fitwriter::Lap(a, kT0, 60'000, 20'000);
  // A definition with developer fields may end the data.
  a.Define(4, 0xFF01, {{0, 1, fitwriter::kEnum}}, false, {1});
  // The second file defines its own messages and says it is a course:
  // only the first file_id decides.
  fitwriter::DefineActivity(b, 6);
  fitwriter::Lap(b, kT0 + 60, 30'000, 10'000);
  const ActivityRecord r = Read(a.File() + b.File(12));
  ASSERT_EQ(r.laps.size(), 2u);
  EXPECT_EQ(r.laps[1].elapsedMs, 30'000);
}

// However a definition inflates its messages, decoding costs a few steps
// per byte: here 1-byte messages under a definition of 255 empty fields.
TEST(FitDecoder, StepsAreBoundedByTheBytes) {
  Writer w;
  fitwriter::DefineActivity(w);
  std::vector<fitwriter::Field> empty;
  for (int num = 0; num < 255; ++num)
    empty.push_back({static_cast<std::uint8_t>(num), 0, fitwriter::kUint32});
  w.Define(3, 20, empty);
  w.Raw(std::string(1 << 20, '\x03'));
  const std::string bytes = w.File();
  ActivityRecord record;
  activity::FitStats stats;
  EXPECT_EQ(activity::ReadFit(bytes, record, &stats), kOk);
  EXPECT_GE(stats.steps, 1u << 20);  // one a message at least
  EXPECT_LE(stats.steps, 4 * bytes.size());
  // The cost adds up over chained files, with nothing fixed on top.
  const auto stepsOf = [&](const std::string& fit) {
    stats = {};
    activity::ReadFit(fit, record, &stats);
    return stats.steps;
  };
  const std::string none = Writer().File();
  EXPECT_EQ(stepsOf(none + none), 2 * stepsOf(none));
}

// Laps as the watch stamps them: start and end in s from kT0 (kNone where
// it wrote none), elapsed ms, distance.
struct L {
  std::uint64_t start, end, ms;
  std::uint32_t cm = 100'000;
};
std::string LapsFit(const std::vector<L>& laps) {
  Writer w;
  fitwriter::DefineActivity(w);
  const auto at = [](std::uint64_t s) { return s == kNone ? s : kT0 + s; };
  for (const L& l : laps) fitwriter::Lap(w, at(l.start), at(l.end), l.ms, l.cm);
  return w.File();
}

const char kTcx[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- exported -->
<t:TrainingCenterDatabase xmlns:t="http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2">
 <t:Activities><t:Activity Sport="Running"><t:Id>2024-05-01T00:30:00Z</t:Id>
   <t:Lap StartTime="2024-05-01T00:30:00Z">
    <t:TotalTimeSeconds>300.5</t:TotalTimeSeconds><t:DistanceMeters>1000.25</t:DistanceMeters>
    <t:Notes>lap note, not the name</t:Notes>
    <t:Track><t:Trackpoint><t:Time>2024-05-01T00:30:00Z</t:Time>
      <t:Position><t:LatitudeDegrees>35.0</t:LatitudeDegrees><t:LongitudeDegrees>139.0</t:LongitudeDegrees></t:Position>
      <t:DistanceMeters>0</t:DistanceMeters></t:Trackpoint>
     <t:Trackpoint><t:DistanceMeters>10</t:DistanceMeters></t:Trackpoint>
     <t:Trackpoint><t:Time>2024-05-01T00:35:00.5Z</t:Time><t:DistanceMeters>1000.5</t:DistanceMeters></t:Trackpoint>
    </t:Track></t:Lap>
   <t:Lap StartTime="2024-05-01T00:35:00.5Z"><t:TotalTimeSeconds>299.5</t:TotalTimeSeconds>
    <t:DistanceMeters>999.75</t:DistanceMeters></t:Lap>
   <t:Notes> 春の 10 km &amp; more </t:Notes><t:Creator><t:Name>Forerunner 255</t:Name></t:Creator>
  </t:Activity>
  <t:Activity Sport="Biking"><t:Lap StartTime="2024-05-02T00:00:00Z"/></t:Activity>
 </t:Activities>
</t:TrainingCenterDatabase>
)";

const char kGpx[] = R"(<?xml version="1.0"?><!-- exported --><gpx version="1.1" creator="x" xmlns="http://www.topografix.com/GPX/1/1">
 <wpt lat="1" lon="1"><time>2024-05-01T00:00:00Z</time><name>wp</name></wpt>
 <rte><name>route</name><rtept lat="0" lon="0"><time>2024-05-01T00:00:00Z</time></rtept></rte>
 <trk><name>empty first</name><trkseg><trkpt lat="0"/></trkseg></trk>
 <trk><name>second</name>
  <trkseg><trkpt lat="0" lon="0"><ele>3</ele><time>2024-05-01T00:00:00Z</time><name>p</name></trkpt></trkseg>
  <trkseg><trkpt lat="0" lon="0.01"><time>2024-05-01T00:10:00Z</time></trkpt></trkseg>
 </trk>
 <trk><trkseg><trkpt lat="+0" lon="1"><time>2024-05-01T01:00:00Z</time></trkpt>
  <trkpt lat="0" lon="1.02"><time>2024-05-01T01:20:00Z</time></trkpt></trkseg></trk>
</gpx>)";

// Whatever is broken, foreign or unsafe is refused whole, by its kind.
TEST(ActivityRead, Refusals) {
  const std::string good = CornerFit();
  std::string badHeaderCrc = good;
  badHeaderCrc[12] ^= 1;
  std::string zeroHeaderCrc = good;  // 0: no header CRC, still read, but the
  zeroHeaderCrc[12] = zeroHeaderCrc[13] = 0;  // file CRC covers it
  std::string badFileCrc = good;
  badFileCrc[20] ^= 0x10;
  std::string longer = good;  // a data size past the end
  longer[4] = static_cast<char>(longer[4] + 1);
  longer[12] = longer[13] = 0;
  Writer settings, undefined, noFileId, cut;
  fitwriter::DefineActivity(settings, 2);
  undefined.Raw("\x07");
  noFileId.Define(1, 19, {{7, 4, fitwriter::kUint32}});
  noFileId.Data(1, {1000});
  fitwriter::DefineActivity(cut);
  cut.Raw("\x01\x02\x03");  // a lap message of 16 bytes cut after 2
  Writer cutInDefinition, cutInDeveloperFields, cutBeforeDeveloperCount;
  cutInDefinition.Raw("\x41\x00\x00");
  cutInDeveloperFields.Raw(std::string("\x61\x00\x00\x14\x00\x00\x02\x00\x00\x00", 10));
  cutBeforeDeveloperCount.Raw(std::string("\x61\x00\x00\x14\x00\x00", 6));
  std::string header = good.substr(0, 14);
  header[0] = 11;
  std::string badLap = kTcx;
  badLap.replace(badLap.find("299.5"), 5, "-1");
  const struct {
    const char* name;
    std::string bytes;
    ActivityError error;
  } cases[] = {
      {"header CRC", badHeaderCrc, Kind::FitHeaderCrc},
      {"header CRC 0", zeroHeaderCrc, Kind::FitFileCrc},
      {"file CRC", badFileCrc, Kind::FitFileCrc},
      {"data size", longer, Kind::FitTruncated},
      {"message cut", cut.File(), Kind::FitTruncated},
      {"definition cut", cutInDefinition.File(), Kind::FitTruncated},
      {"developer fields cut", cutInDeveloperFields.File(), Kind::FitTruncated},
      {"developer count cut", cutBeforeDeveloperCount.File(), Kind::FitTruncated},
      {"header size", header, Kind::FitBadHeader},
      {"trailing", good + "xyz", Kind::FitTrailingBytes},
      {"settings", settings.File(), Kind::FitNotActivity},
      {"no file_id", noFileId.File(), Kind::FitNotActivity},
      {"undefined", undefined.File(), Kind::FitUndefinedMessage},
      {"billion laughs",
       "<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\">"
       "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
       "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><gpx>&c;</gpx>",
       Kind::XmlEntity},
      {"external entity",
       "<!DOCTYPE gpx [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>"
       "<gpx><trk><name>&x;</name></trk></gpx>", Kind::XmlEntity},
      {"not well-formed", "<gpx>\n<trk>\n</gpx>", {Kind::XmlMalformed, 3}},
      {"undeclared entity", "<gpx>&x;</gpx>", {Kind::XmlMalformed, 1}},
      {"TCX not well-formed", "<TrainingCenterDatabase>\n<x>", {Kind::XmlMalformed, 2}},
      {"no timed point", "<gpx><trk><trkseg><trkpt lat='0' lon='0'/>"
                         "</trkseg></trk></gpx>", Kind::NoTime},
      {"bad lap", badLap, {Kind::BadLap, 2}},
      // The quick look at the root is misled; expat then stops at an empty
      // root element and still reports its end.
      {"root hidden by DOCTYPE",
       "<!DOCTYPE x [<!-- ]> <gpx/> -->]><html/>", Kind::XmlWrongRoot},
      {"race file", "10km\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", Kind::NotActivity},
      {"other XML", "<?xml version='1.0'?><html/>", Kind::NotActivity},
      {"declaration cut", "<?xml version='1.0' encoding= ", Kind::NotActivity},
      {"empty", "", Kind::NotActivity},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ActivityReadResult r = ReadActivity(c.bytes, "x.fit");
    EXPECT_FALSE(r.record.has_value());
    EXPECT_EQ(r.error, c.error);
  }
  // Past 256 MiB a file is not read at all.
  const std::string huge((256u << 20) + 1, '\0');
  EXPECT_EQ(ReadActivity(huge, "x.fit").error, Kind::FileTooLarge);
  EXPECT_EQ(ReadActivity(std::string_view(huge).substr(1), "x.fit").error,
            Kind::NotActivity);
  // No partial import: every prefix of a good file is refused.
  for (std::size_t n = 0; n < good.size(); ++n) {
    const ActivityReadResult r = ReadActivity(good.substr(0, n), "x.fit");
    EXPECT_TRUE(r.error && !r.record) << n;
  }
}

// By laps a lap's arrival adds the watch's own gap between the previous
// lap's end stamp and its start (whole seconds; none where a stamp is
// missing). A lap's time is its elapsed time, else its stamps' difference;
// ms and cm are summed exactly and only each sum is rounded, half up. A lap
// with neither, a race of no time or one past what a race file holds is
// refused, while the record's points can still be cut by distance. The race
// starts with the first lap, not with the first point recorded.
TEST(ActivitySplit, FromLaps) {
  Writer negative, wide, early, types;
  for (Writer* w : {&negative, &wide, &early, &types})
    fitwriter::DefineActivity(*w);
  const auto lapOf = [](int elapsedType, int size = 4) {  // the lap's fields
    return std::vector<fitwriter::Field>{
        {253, 4, fitwriter::kUint32}, {2, 4, fitwriter::kUint32},
        {7, std::uint8_t(size), std::uint8_t(elapsedType)}, {9, 4, fitwriter::kUint32}};
  };
  // uint32z and uint16z, where 0 is none, sint16's none and a base type past
  // the known ones, which holds nothing: the laps' times come from their
  // stamps. uint32 and uint32z past INT32_MAX, uint64 to UINT32_MAX and
  // uint64z are times as they are; a string or a float64 is no time.
  for (const auto& [type, size, start, end, ms] :
       {std::tuple{0x8C, 4, 0, 60, 0ull}, {0x9F, 4, 60, 90, 60'000}, {0x8B, 2, 90, 120, 0},
        {0x83, 2, 120, 150, 0x7FFF}, {0x8C, 4, 150, 180, 0x80000000},
        {0x90, 8, 180, 210, 20'000}, {0x86, 4, 210, 240, 0x80000001},
        {0x07, 4, 240, 270, 5}, {0x89, 8, 270, 300, 5}, {0x8F, 8, 300, 330, 0xFFFFFFFF}}) {
    types.Define(1, 19, lapOf(type, size));
    fitwriter::Lap(types, kT0 + start, kT0 + end, ms, 100'000);
  }
  negative.Define(1, 19, lapOf(fitwriter::kSint32));
  fitwriter::Lap(negative, kNone, kNone, 0xFFFFFF9C, 100'000);  // -100 ms
  // uint64 where FIT has uint32: values past it are none, not overflows.
  wide.Define(1, 19, {{253, 4, fitwriter::kUint32}, {2, 8, fitwriter::kUint64},
                      {7, 4, fitwriter::kUint32}, {9, 8, fitwriter::kUint64}});
  fitwriter::Lap(wide, INT64_MAX - 1, kT0 + 90, 90'000, 100'000);
  wide.Data(1, {kT0 + 150, kT0 + 90, 60'000, INT64_MAX - 1});
  fitwriter::Record(early, kT0 - 30, 0);  // before the lap: not kept
  fitwriter::Record(early, kT0 + 60, 0);
  fitwriter::Record(early, kT0 + 360, 100'000);
  fitwriter::Lap(early, kT0, 360'000, 100'000);
  std::string tcxNoTime = kTcx;
  const std::size_t second = tcxNoTime.find("<t:TotalTimeSeconds>299.5");
  tcxNoTime.erase(second, tcxNoTime.find('\n', second) - second);
  std::string tcxLong = kTcx;
  tcxLong.replace(tcxLong.find("299.5"), 5, "1e12");
  std::string tcxAtLimit = kTcx;  // 300.5 s and this: INT_MAX x 10 + 4 ms
  std::string tcxPast = tcxAtLimit;  // and a millisecond more
  tcxAtLimit.replace(tcxAtLimit.find("299.5"), 5, "21474535.974");
  tcxPast.replace(tcxPast.find("299.5"), 5, "21474535.975");
  // Elapsed times in uint16 (where 0 is a time), sint16, sint8, uint8z,
  Writer narrow;  // uint8 and byte.
  fitwriter::DefineActivity(narrow);
  for (const auto& [type, size, ms] : {std::tuple{0x84, 2, 60'000}, {0x83, 2, 30'000},
                                       {0x01, 1, 100}, {0x0A, 1, 200}, {0x84, 2, 0},
                                       {0x02, 1, 50}, {0x0D, 1, 200}, {0x0D, 1, 0}}) {
    narrow.Define(1, 19, lapOf(type, size));
    fitwriter::Lap(narrow, kNone, kNone, ms, 100'000);
  }
  const struct {
    const char* name;
    std::string bytes;
    ActivityError error;
    std::vector<Expected> sections = {};
    ActivitySplit split = ByLaps();
    const char* measured = nullptr;  // in the comment, when scaled
  } cases[] = {
      {"touching", LapsFit({{0, 10, 10'004}, {10, 20, 10'004}}), kOk,
       {{1, 1000}, {2, 2001}}},
      // A Garmin file: laps of 4:30, 13:56, 12:38 and 16:05 a second apart
      // end at 4:30, 18:27, 31:06 and 47:12 on the watch's clock.
      {"a second apart",
       LapsFit({{0, 270, 270'000}, {271, 1107, 836'000},
                {1108, 1866, 758'000}, {1867, 2832, 965'000}}),
       kOk, {{1, 27'000}, {2, 110'700}, {3, 186'600}, {4, 283'200}}},
      {"overlapping", LapsFit({{0, 10, 10'000}, {9, 19, 10'000}}), kOk,
       {{1, 1000}, {2, 1900}}},
      // An overlap longer than the lap: the clock does not go back.
      {"inside the one before", LapsFit({{0, 10, 10'000}, {5, 7, 2'000}}), kOk,
       {{1, 1000}, {2, 1000}}},
      {"no start", LapsFit({{0, 10, 10'000}, {kNone, 21, 10'000}}), kOk,
       {{1, 1000}, {2, 2000}}},
      {"no end", LapsFit({{0, kNone, 10'000}, {11, 21, 10'000}}), kOk,
       {{1, 1000}, {2, 2000}}},
      {"sums", LapsFit({{0, 300, 300'004, 100'049}, {300, 599, 299'997, 100'002},
                        {599, 599, 5, 0}}),
       kOk, {{1.000, 30'000}, {2.001, 60'000}, {2.001, 60'001}}},
      // Measured 10000.10 m; each cumulative sum times 10500 / 10000.10.
      {"official", LapsFit({{0, 1000, 1'000'000, 500'000},
                            {1000, 2000, 1'000'000, 333'333},
                            {2000, 3000, 1'000'000, 166'677}}),
       kOk, {{5.250, 100'000}, {8.750, 200'000}, {10.500, 300'000}},
       ByLaps(10.5), "10.000"},
      {"elapsed invalid, stamps",
       LapsFit({{0, 90, kNone}, {90, 150, 60'000}, {150, 150, kNone}}), kOk,
       {{1.0, 9000}, {2.0, 15'000}, {3.0, 15'000}}},
      {"elapsed invalid, no end", LapsFit({{0, 60, 60'000}, {60, kNone, kNone}}),
       {Kind::BadLap, 2}},
      {"elapsed negative", negative.File(), {Kind::BadLap, 1}},
      {"laps of 0 s", LapsFit({{0, 0, 0}, {0, 0, 0}}), Kind::ZeroTime},
      {"uint64 fields", wide.File(), kOk, {{1.0, 9000}, {1.0, 15'000}}},
      {"invalid and unknown types", types.File(), kOk, {{1, 6000}, {2, 9000}, {3, 12'000}, {4, 15'000},
                                                       {5, 214'763'365}, {6, 214'765'365},
                                                       {7, 429'513'730}, {8, 429'516'730},
                                                       {9, 429'519'730}, {10, 859'016'459}}},
      {"TCX lap without a time", tcxNoTime, {Kind::BadLap, 2}},
      {"TCX lap of 1e12 s", tcxLong, Kind::TooLong},
      {"TCX laps to the limit", tcxAtLimit, kOk, {{1, 30'050}, {2, INT_MAX}}},
      {"TCX laps past it", tcxPast, Kind::TooLong},
      {"narrow types", narrow.File(), kOk, {{1, 6000}, {2, 9000}, {3, 9010}, {4, 9030}, {5, 9030}, {6, 9035}, {7, 9055}, {8, 9055}}},
      {"points before the first lap", early.File(), kOk, {{0.5, 21'000}, {1.0, 36'000}},
       Every(0.5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ActivityRecord r = Read(c.bytes, "r.fit");
    const ActivityRaceResult race = ActivityToRace(r, c.split);
    EXPECT_EQ(race.error, c.error);
    EXPECT_EQ(race.race.has_value(), !c.error);
    if (!race.race) continue;
    ExpectSections(*race.race, c.sections);
    if (c.measured) {
      EXPECT_NE(race.race->comment.str().find(
                    Fill(kImportCommentMeasured, {c.measured})),
                std::string::npos) << race.race->comment;
    }
    if (!DefaultTrackPoints(r).empty()) {
      EXPECT_EQ(ActivityToRace(r, Every(1.0)).error, kOk);
    }
  }
}

ActivityRecord Points(const std::vector<std::pair<double, double>>& sM) {
  ActivityRecord r;
  r.fileName = "p.tcx";
  r.tracks.resize(1);
  for (const auto& [s, m] : sM) {
    ActivityPoint p;
    p.timeMs = std::llround(s * 1000);
    p.distanceM = m;
    r.tracks[0].points.push_back(p);
  }
  return r;
}

// One point goes back in time, one back in distance. 1 km: 100 + 200 x
// 600/800 = 250 s; 2 km: 310 + 190 x 800/1300 = 426.923 s; the finish: the
// first point at 2500 m. Scaled to 5 km, k km are k x 500 m measured.
TEST(ActivitySplit, EveryKmInterpolatesAndSkipsPointsGoingBack) {
  const ActivityRecord r = Points({{0, 0}, {100, 400}, {300, 1200}, {310, 1200},
                                   {290, 1300}, {400, 1150}, {500, 2500},
                                   {510, 2500}});
  const std::pair<ActivitySplit, std::vector<Expected>> cases[] = {
      {Every(1.0), {{1.0, 25'000}, {2.0, 42'692}, {2.5, 50'000}}},
      {Every(1.0, 5.0),
       {{1, 12'500}, {2, 25'000}, {3, 35'385}, {4, 42'692}, {5, 50'000}}},
  };
  for (const auto& [split, sections] : cases) {
    const ActivityRaceResult race = ActivityToRace(r, split);
    ASSERT_EQ(race.error, kOk);
    ExpectSections(*race.race, sections);
  }
}

// A 3 km run, a point every 5 s at 4:00 a km, by distance or by position
// along the equator; `edit` may change point k, and drops it if false.
ActivityRecord ThreeKm(bool positions,
                   const std::function<bool(int, ActivityPoint&)>& edit = {}) {
  ActivityRecord r;
  r.fileName = "p.gpx";
  r.tracks.resize(1);
  for (int k = 0; k <= 144; ++k) {
    ActivityPoint p;
    p.timeMs = 1'000'000 + k * 5'000;
    const double m = 3000.0 * k / 144;
    if (positions) {
      p.latDeg = 0.0;
      p.lonDeg = m / kDegM;
    } else {
      p.distanceM = m;
    }
    if (!edit || edit(k, p)) r.tracks[0].points.push_back(p);
  }
  return r;
}

// One stray point is dropped, not everything after it: a point a day or an
// hour ahead, a distance or a position far off, anywhere in the run, gives
// the race of the run without that point (a time at the very end cannot be
// told from a late finish); distances that start at 2.5 km, the race from
// 0. Reversed, or too few points left, it is refused.
TEST(ActivitySplit, StrayPointsAreDropped) {
  const struct {
    const char* name;
    void (*stray)(ActivityPoint&);
    bool positions;
  } cases[] = {
      {"a day ahead", [](ActivityPoint& p) { p.timeMs += 86'400'000; }, false},
      {"a day ahead", [](ActivityPoint& p) { p.timeMs += 86'400'000; }, true},
      {"an hour ahead", [](ActivityPoint& p) { p.timeMs += 3'600'000; }, false},
      {"an hour ahead", [](ActivityPoint& p) { p.timeMs += 3'600'000; }, true},
      {"8 km", [](ActivityPoint& p) { p.distanceM = 8000; }, false},
      {"2 km off", [](ActivityPoint& p) { p.latDeg = 0.018; }, true},
  };
  for (const bool positions : {false, true}) {
    const ActivityRaceResult clean = ActivityToRace(ThreeKm(positions), Every(1.0));
    ASSERT_EQ(clean.error, kOk);
    ASSERT_EQ(clean.race->sections.size(), 3u);
    EXPECT_EQ(clean.race->sections.back().arrival, 72'000);
  }
  for (const int at : {1, 72, 144}) {
    for (const auto& c : cases) {
      if (at == 144 && c.name[0] == 'a') continue;
      SCOPED_TRACE(::testing::Message() << c.name << " at " << at);
      const ActivityRaceResult r = ActivityToRace(
          ThreeKm(c.positions, [&](int k, ActivityPoint& p) {
            if (k == at) c.stray(p);
            return true;
          }), Every(1.0));
      ASSERT_EQ(r.error, kOk);
      EXPECT_EQ(r.race->sections,
                ActivityToRace(ThreeKm(c.positions, [&](int k, ActivityPoint&) {
                                 return k != at;
                               }), Every(1.0)).race->sections);
    }
  }
  const auto shifted = [](int, ActivityPoint& p) {
    p.distanceM += 2500;
    return true;
  };
  EXPECT_EQ(ActivityToRace(ThreeKm(false, shifted), Every(1.0)).race->sections,
            ActivityToRace(ThreeKm(false), Every(1.0)).race->sections);
  ActivityRecord reversed = ThreeKm(false);
  std::reverse(reversed.tracks[0].points.begin(), reversed.tracks[0].points.end());
  ActivityRecord lone = ThreeKm(false, [](int k, ActivityPoint& p) {
    if (k > 0) p.timeMs = 0;
    return true;
  });
  for (const ActivityRecord* r : {&reversed, &lone})
    EXPECT_EQ(ActivityToRace(*r, Every(1.0)).error, Kind::TooFewPoints);
}

TEST(ActivitySplit, Refusals) {
  const ActivityRecord lapsOf46 =
      Read(LapsFit(std::vector<L>(46, {kNone, kNone, 1000, 100})));
  // Laps beyond those a race can hold are counted, not kept.
  const ActivityRecord lapsOf1000 =
      Read(LapsFit(std::vector<L>(1000, {kNone, kNone, 1000, 0})));
  EXPECT_EQ(ActivityLapCount(lapsOf1000), 1000u);
  EXPECT_EQ(lapsOf1000.laps.size(), static_cast<std::size_t>(kMaxSections + 1));
  const ActivityRecord indoor =
      Read(LapsFit({{kNone, kNone, 60'000, 0}, {kNone, kNone, 60'000, 0}}));
  const ActivityRecord run = Points({{0, 0}, {100, 5000}});
  const struct {
    const char* name;
    const ActivityRecord& record;
    ActivitySplit split;
    ActivityError error;
  } cases[] = {
      {"46 laps", lapsOf46, ByLaps(), {Kind::TooManyLaps, 0, 46}},
      {"1000 laps", lapsOf1000, ByLaps(), {Kind::TooManyLaps, 0, 1000}},
      {"50 splits", run, Every(0.1), {Kind::TooManySections, 0, 50}},
      {"indoor laps", indoor, ByLaps(), Kind::ZeroDistance},
      {"no laps", run, ByLaps(), Kind::NoLaps},
      {"no points", indoor, Every(1.0), Kind::NoPoints},
      {"split too short", run, Every(0.09), Kind::BadSplit},
      {"split too long", run, Every(100.5), Kind::BadSplit},
      {"split nan", run, Every(std::nan("")), Kind::BadSplit},
      {"official 0", run, Every(1.0, 0.0), Kind::BadOfficial},
      {"official nan", run, Every(1.0, std::nan("")), Kind::BadOfficial},
      {"official under 1 m", run, Every(1.0, 0.0009), Kind::BadOfficial},
      {"official 1 m", run, Every(1.0, 0.001), kOk},
      {"official 100000 km", run, Every(1.0, 1e5), {Kind::TooManySections, 0, 100'000}},
      {"points at 0 m", Points({{0, 0}, {10, 0}}), Every(1.0), Kind::ZeroDistance},
      // The edges of the split range are accepted: 100 m and 100 km.
      {"100 m", Points({{0, 0}, {100, 4500}}), Every(0.1), kOk},
      {"100 km", run, Every(100.0), kOk},
      // A distance up to a million km is one, reached at 100 m/s.
      {"a million km", Points({{0, 0}, {1e7, 1e9}}), Every(100.0),
       {Kind::TooManySections, 0, 10'000}},
      {"past it", Points({{0, 0}, {2e7, 1e9 + 1}}), Every(100.0), Kind::TooFewPoints},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ActivityRaceResult r = ActivityToRace(c.record, c.split);
    EXPECT_EQ(r.race.has_value(), !c.error);
    EXPECT_EQ(r.error, c.error);
  }
}

// How the split starts, in the window's dialog and in quorvane-report: by
// laps from a lap on, first from 2 to 45 laps, or for a lone lap with no
// points to cut by distance; beyond 45 laps by distance, saying why.
// What each choice of the split dialog will make, before OK: the sections
// of laps and of every N km over the measured (or official) distance, the
// same count the cut itself gives, and the shortest split that fits.
TEST(ActivitySplit, SectionsEachChoiceMakes) {
  ActivityRecord run = Points({{0, 0}, {600, 2000}, {1800, 5050}});
  for (int k = 0; k < 9; ++k) activity::AddLap(run, ActivityLap{});
  const TrackMeasure measure = MeasureTrack(run, 0);
  EXPECT_EQ(measure.distanceM, 5050);
  EXPECT_EQ(measure.elapsedMs, 1'800'000);
  EXPECT_EQ(MeasureTrack(run, 1).distanceM, 0);  // no such track
  EXPECT_EQ(MeasureTrack(Points({{0, 0}, {100, 5000}}), 0).distanceM, 5000);
  EXPECT_EQ(SplitSections(run, MeasureTrack(run, 1), Every(1.0)), 0);
  ActivityRecord lone = Points({{100, 500}});  // one point measures nothing
  activity::AddLap(lone, ActivityLap{0, {}, {}, 0});
  EXPECT_EQ(MeasureTrack(lone, 0).elapsedMs, 0);
  // A start before 1970 is cut to its second as any other is.
  const auto start = [](double s) { return RecordSummary(Points({{s, 0}}), {}).at(0); };
  EXPECT_TRUE(start(-0.001) == start(-1) && start(-1) != start(-1.001));
  for (const auto& [split, sections] :
       {std::pair{ByLaps(), 9}, {Every(1.0), 6}, {Every(0.1), 51},
        {Every(5.05), 1}, {Every(1.0, 42.195), 43}, {Every(2.0, 2.0), 1},
        {Every(1.0, 10.005), 11}}) {
    SCOPED_TRACE(split.everyKm);
    EXPECT_EQ(SplitSections(run, measure, split), sections);
    if (split.kind == ActivitySplit::Kind::EveryKm && sections <= kMaxSections) {
      EXPECT_EQ(ActivityToRace(run, split).race->sections.size(),
                static_cast<std::size_t>(sections));
    }
  }
  for (const auto& [metres, km] :
       {std::pair{92'622, 2.1}, {4'500, 0.1}, {4'501, 0.2}, {0, 0.1}})
    EXPECT_DOUBLE_EQ(ShortestSplitKm(metres), km) << metres;
}

TEST(ActivitySplit, WhatTheSplitOffersFirst) {
  const struct {
    int laps;
    bool points, offered, first, tooMany;
  } cases[] = {
      {0, true, false, false, false}, {1, false, true, true, false},
      {1, true, true, false, false},  {2, false, true, true, false},
      {45, true, true, true, false},  {46, true, true, false, true},
      {46, false, true, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.laps << " " << c.points);
    ActivityRecord r = c.points ? Points({{0, 0}, {100, 5000}}) : ActivityRecord{};
    for (int k = 0; k < c.laps; ++k) activity::AddLap(r, ActivityLap{});
    ASSERT_EQ(ActivityLapCount(r), static_cast<std::size_t>(c.laps));
    const SplitOffer offer = OfferSplit(r);
    EXPECT_EQ(offer.lapsOffered, c.offered);
    EXPECT_EQ(offer.lapsFirst, c.first);
    EXPECT_EQ(offer.tooManyLaps, c.tooMany);
  }
}

// The event name is one line of the race file, and whatever a record holds
// the race can be saved: what code page 932 lacks reads '?'.
TEST(ActivitySplit, NamesFromPathsAreOneLineOfUtf8) {
  ActivityRecord r = Points({{0, 0}, {100, 1000}});
  // U+0800, U+00E9, U+10FFFF, U+07FF and U+FF03 are one character each; an
  // overlong form, a stray byte or a character past U+10FFFF one per byte;
  // an extension is known in either case.
  r.fileName = "a\xff\nb\xE0\x80\x80\xC3\xA9" "c\xE0\xA0\x80" "d\x80\x80\x80\x80"
               "e\xF4\x90\x80\x80" "f\xF4\x8F\xBF\xBF" "g\xDF\xBF" "h＃.fit";
  r.device = "x\ty \U0001F3C3\u2460\u00A5\xED\xA0\x80\u00B0";  // a surrogate, and ° last
  const ActivityRaceResult race = ActivityToRace(r, Every(1.0));
  ASSERT_EQ(race.error, kOk);
  EXPECT_EQ(race.race->eventName, "a? b????c?d????e????f?g?h＃");
  r.fileName = ".fit";  // a name that is all extension is the name
  EXPECT_EQ(ActivityToRace(r, Every(1.0)).race->eventName, ".fit");
  EXPECT_TRUE(HasActivityExtension("a.b/run.FIT") && HasActivityExtension("x.gpx") &&
              !HasActivityExtension("fit") && !HasActivityExtension("r.txt"));
  EXPECT_NE(race.race->comment.str().find("x y ?\u2460????\u00B0\r\n"), std::string::npos);
  EXPECT_EQ(WriteRaceFile(*race.race).status, RaceWriteStatus::Ok);
  EXPECT_EQ(race.race->comment.str().find('\t'), std::string::npos);
}

// Leap years by the Gregorian rule, 24:00:00 as the next day's midnight,
// either case of T and Z or a space, fractions and offsets.
TEST(ActivityTime, IsoTimes) {
  const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
      {"2024-05-01T09:30:15Z", 1714555815000}, {"2024-05-01t09:30:15z", 1714555815000},
      {"2024-05-01 09:30:15", 1714555815000}, {"2024-05-01T09:30:15.05Z", 1714555815050},
      {"\t\r\n 2024-05-01T18:30:15+09:00 \n\r\t", 1714555815000},
      {"2024-05-01T15:00:15.25+05:30", 1714555815250},
      {"1969-12-31T23:59:59Z", -1000}, {"2000-02-29T00:00:00Z", 951782400000},
      {"2024-12-31T24:00:00Z", 1735689600000}, {"2024-04-30T23:59:59.999Z", 1714521599999},
      {"2024-13-01T09:30:15Z", {}}, {"2023-02-29T00:00:00Z", {}},
      {"2100-02-29T00:00:00Z", {}}, {"2024-05-01T24:00:01Z", {}},
      {"2024-05-01T24:01:00Z", {}}, {"2024-05-01T24:00:00.5Z", {}},
      {"2024-05-01T23:60:00Z", {}}, {"2024-05-01T23:59:60Z", {}},
      {"2024-05-01T 9:30:15Z", {}}, {"2024-05-01T09:30:15+24:00", {}},
      {"2024-05-01T09:30:15+09:60", {}}, {"2024-05-01T09:30:15.Z", {}},
      {"2024-05-01T09:30:15Zx", {}}, {"2024-05-01", {}},
      {"2024-05-01T04:30:15-05:00", 1714555815000}, {"2024-00-10T00:00:00Z", {}},
      {"0000-01-01T00:00:00Z", -62167219200000}, {"0000-02-29T00:00:00Z", -62162121600000},
      {"2024-05-01T09:30:15+23:59", 1714469475000}, {"2024-05-01T09:30:15+09:0", {}},
  };
  for (const auto& [text, ms] : cases)
    EXPECT_EQ(activity::ParseIsoTimeMs(text), ms) << text;
  // Each month of 2024 ends on its last day, the next month's first a day on.
  const int lastDay[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const auto at = [](int y, int m, int d) {
    return activity::ParseIsoTimeMs(FormatInt(y) + "-" + Format02d(m) + "-" +
                                    Format02d(d) + "T00:00:00Z");
  };
  for (int m = 1; m <= 12; ++m) {
    SCOPED_TRACE(m);
    ASSERT_TRUE(at(2024, m, lastDay[m - 1]));
    EXPECT_EQ(*at(2024, m, lastDay[m - 1]) + 86'400'000,
              at(2024 + m / 12, m % 12 + 1, 1));
    EXPECT_EQ(at(2024, m, lastDay[m - 1] + 1), std::nullopt);
  }
}

TEST(ActivityXml, TcxFirstActivityLapsAndPoints) {
  ASSERT_EQ(DetectActivityFormat(kTcx), ActivityFormat::Tcx);
  const ActivityRecord r = Read(kTcx, "/home/a/run.tcx");
  EXPECT_EQ(r.name, "春の 10 km & more");
  EXPECT_EQ(r.device, "Forerunner 255");
  EXPECT_EQ(r.fileName, "run.tcx");
  ASSERT_EQ(r.laps.size(), 2u);
  EXPECT_EQ(r.laps[0].startMs, 1714523400000);
  EXPECT_EQ(r.laps[0].elapsedMs, 300'500);
  EXPECT_EQ(r.laps[0].distanceCm, 100'025);
  EXPECT_EQ(r.laps[1].distanceCm, 99'975);
  ASSERT_EQ(r.tracks.size(), 1u);
  const std::vector<ActivityPoint>& points = r.tracks[0].points;
  ASSERT_EQ(points.size(), 2u);  // the point without a time is dropped
  EXPECT_EQ(points[1].distanceM, 1000.5);  // not the lap's
  EXPECT_EQ(points[0].latDeg, 35.0);
  EXPECT_FALSE(points[1].HasPosition());

  ::setenv("TZ", "Asia/Tokyo", 1);
  ::tzset();
  const ActivityRaceResult race = ActivityToRace(r, ByLaps());
  ::unsetenv("TZ");
  ::tzset();
  ASSERT_EQ(race.error, kOk);
  ExpectSections(*race.race, {{1.0, 30'050}, {2.0, 60'000}});
  EXPECT_EQ(race.race->eventName, r.name);
  EXPECT_EQ(race.race->comment,
            Fill(kImportCommentStart, {"2024/05/01 09:30:00"}) + "\r\n" +
                Fill(kImportCommentFile, {"run.tcx"}) + "\r\n" +
                Fill(kImportCommentDevice, {"Forerunner 255"}) + "\r\n");

  const ActivityRecord multisport = Read(
      "<TrainingCenterDatabase><Activities><MultiSportSession><FirstSport>"
      "<Activity><Lap><TotalTimeSeconds>9</TotalTimeSeconds></Lap></Activity>"
      "</FirstSport><NextSport><Activity><Lap/></Activity></NextSport>"
      "</MultiSportSession></Activities></TrainingCenterDatabase>");
  EXPECT_EQ(ActivityLapCount(multisport), 1u);  // the first activity's
  EXPECT_EQ(multisport.laps.at(0).elapsedMs, 9000);
}

// Every track is kept, all its segments; the first with timed points is
// taken unless another is asked for, and the comment says which.
TEST(ActivityXml, GpxTracks) {
  ASSERT_EQ(DetectActivityFormat(kGpx), ActivityFormat::Gpx);
  const ActivityRecord r = Read(kGpx, "walk.gpx");
  EXPECT_EQ(r.name, "empty first");
  EXPECT_TRUE(r.laps.empty());
  EXPECT_EQ(r.tracks.at(0).name, "empty first");
  const struct {
    std::optional<std::size_t> track;
    double finishKm;   // and its arrival, with no error
    int arrival;
    std::string line;  // of the comment
    ActivityError error = {};
  } cases[] = {
      {std::nullopt, 1.112, 60'000, "トラック 2/3 second\r\n"},
      {1, 1.112, 60'000, "トラック 2/3 second\r\n"},
      {2, 2.224, 120'000, "トラック 3/3\r\n"},
      {0, 0, 0, "", Kind::NoPoints},
      {3, 0, 0, "", {Kind::NoTrack, 4, 3}},
      {std::size_t(-1), 0, 0, "", {Kind::NoTrack, INT64_MAX, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const ActivityRaceResult race = ActivityToRace(r, Every(1.0, {}, c.track));
    EXPECT_EQ(race.error, c.error);
    if (c.error || !race.race) continue;
    ExpectChained(*race.race);
    EXPECT_EQ(race.race->sections.back().endKm, c.finishKm);
    EXPECT_EQ(race.race->sections.back().arrival, c.arrival);
    EXPECT_NE(race.race->comment.str().find(c.line), std::string::npos)
        << race.race->comment;
  }

  // The file's own name, in GPX 1.1's metadata or GPX 1.0's root; the first;
  // else the first track's, even when it has none.
  for (const auto& [name, read] :
       {std::pair{"<metadata><name>Meta</name></metadata>", "Meta"},
        {"<name>Meta</name>", "Meta"}, {"<name>Meta</name><name>2</name>", "Meta"},
        {"<trk><name></name></trk>", ""}}) {
    std::string named = kGpx;
    EXPECT_EQ(Read(named.insert(named.find("<wpt"), name), "w.gpx").name, read);
  }
}

// Positions reach the poles and the date line; past them a point has none.
TEST(ActivityXml, PositionsUpToThePolesAndTheDateLine) {
  const struct {
    double lat, lon;
    bool kept;
  } cases[] = {{90, 180, true},     {-90, -180, true},  {90.5, 0, false},
               {-90.5, 0, false},   {0, 180.5, false},  {0, -180.5, false}};
  for (const auto& c : cases) {
    std::vector<ActivityPoint> points;
    activity::KeepXmlPoint(points, {}, 0, c.lat, c.lon);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].HasPosition(), c.kept) << c.lat << " " << c.lon;
  }
}

// Positions as the file writes them: 23 points 0.001 degree and 1000 s
// apart along the equator or a meridian, at one speed, so k km is passed at
// k km / step.
TEST(ActivityXml, GpxDistanceIsTheGreatCircleSumOfItsPositions) {
  for (const bool meridian : {false, true}) {
    SCOPED_TRACE(meridian ? "meridian" : "equator");
    std::string gpx = "<gpx><trk><trkseg>";
    for (int i = 0; i <= 22; ++i) {
      const std::string deg = "\"0.0" + Format02d(i) + "\"";
      gpx += "<trkpt lat=" + (meridian ? deg : "\"0\"") + " lon=" +
             (meridian ? "\"139\"" : deg) + "><time>2024-05-01T" +
             Format02d(i * 1000 / 3600) + ":" + Format02d(i * 1000 / 60 % 60) +
             ":" + Format02d(i * 1000 % 60) + "Z</time></trkpt>\n";
    }
    gpx += "</trkseg></trk></gpx>";
    const double stepM = kDegM * 0.001;
    const auto hundredths = [&](double m) {
      return static_cast<int>(std::floor(1e5 * m / stepM + 0.5));
    };
    const ActivityRaceResult race = ActivityToRace(Read(gpx, "line.gpx"), Every(1.0));
    ASSERT_EQ(race.error, kOk);
    ExpectSections(*race.race, {{1.0, hundredths(1000)},
                                {2.0, hundredths(2000)},
                                {std::round(22 * stepM) / 1000, 2'200'000}});
  }
}

// A UTF-16 record with or without its mark, or one in a Japanese encoding,
// reads as its UTF-8 twin; what cannot be read is refused by name.
TEST(ActivityXml, Encodings) {
  // Lines: the declaration, the name, the points, the end.
  const auto gpx = [](std::string encoding, std::string name, char quote = '"') {
    return (encoding.empty() ? std::string("\n")
                             : std::string("<?xml version='1.0' encoding=") + quote + encoding +
                                   quote + "?>\n") +
           "<gpx version=\"1.1\"><trk><name>" + name + "</name>\n<trkseg>"
           "<trkpt lat=\"0\" lon=\"0\"><time>2024-05-01T00:00:00Z</time></trkpt>"
           "<trkpt lat=\"0\" lon=\"0.01\"><time>2024-05-01T00:10:00Z</time>"
           "</trkpt></trkseg>\n</trk></gpx>\n";
  };
  const auto utf16 = [](std::string utf8, bool bigEndian) {
    const iconv_t cd = iconv_open(bigEndian ? "UTF-16BE" : "UTF-16LE", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char *in = utf8.data(), *to = out.data();
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    EXPECT_EQ(iconv(cd, &in, &inLeft, &to, &outLeft), 0u);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
  };
  // 表 is 0x95 0x5C in Shift_JIS: its second byte is a backslash.
  const std::string name = "表①駅";
  const auto G = ActivityFormat::Gpx;
  const struct {
    const char* label;
    std::string bytes;
    ActivityFormat format;
    std::string name;
    ActivityError error = {};
  } cases[] = {
      {"UTF-8 mark", "\xEF\xBB\xBF" + gpx("UTF-8", name), G, name},
      {"UTF-16LE mark", "\xFF\xFE" + utf16(gpx("UTF-16", name), false), G, name},
      {"UTF-16LE", utf16(gpx("UTF-16", name), false), G, name},
      {"UTF-16BE mark", "\xFE\xFF" + utf16(gpx("", name), true), G, name},
      {"UTF-16BE", utf16(gpx("", name).substr(1), true), G, name},
      {"UTF-16LE TCX", utf16(kTcx, false), ActivityFormat::Tcx, "春の 10 km & more"},
      {"Shift_JIS", gpx("shift_jis", "\x95\x5C\x87\x40\x89\x77"), G, name},
      {"Windows-31J", gpx("Windows-31J", "\x87\x40"), G, "①"},
      {"\".FIT\" at byte 8", "<gpx a='.FIT'" + gpx("", name).substr(5), G, name},
      {"past 1 MiB", gpx("", name) + "<!--" + std::string(1 << 20, ' ') + "-->", G, name},
      {"DOCTYPE", "<!DOCTYPE gpx>" + gpx("", name), G, name},
      {"EUC-JP", gpx("EUC-JP", "\xC9\xBD\xB1\xD8", '\''), G, "表駅"},
      {"ISO-2022-JP", gpx("iso-2022-jp", "\x1B$BI=1X\x1B(B"), G, "表駅"},
      // The root is looked for in the first 64 KiB converted, then in all:
      // here the first 64 KiB end after "<g".
      {"root cut at 64 KiB",
       "\xFF\xFE" + utf16("<!DOCTYPE gpx []" + std::string(32'748, ' ') + '>' +
                           gpx("", name), false), G, name},
      // Texts are cut to 1024 bytes, and never inside a character.
      {"1024 bytes", gpx("", std::string(1021, 'n') + "表"), G, std::string(1021, 'n') + "表"},
      {"cut", gpx("", std::string(1021, 'n') + "表駅"), G, std::string(1021, 'n')},
      {"root cut at the end", "\xFF\xFE" + utf16("<!DOCTYPE gpx []" + std::string(40'000, ' ') +
                                                 ">\n<gpx", false), G, "", {Kind::XmlMalformed, 2}},
      {"no encoding name", gpx("1x", "x"), G, "", {Kind::XmlMalformed, 1}},
      {"nor this", gpx("x/1", "x"), G, "", {Kind::XmlMalformed, 1}},
      {"unknown", gpx("KOI8-R", "x"), G, "", {Kind::XmlEncoding, 0, 0, "KOI8-R"}},
      {"64 letters", gpx(std::string(64, 'x'), "x"), G, "", {Kind::XmlEncoding, 0, 0, std::string(64, 'x')}},
      {"bad Shift_JIS", gpx("Shift_JIS", "\x81\x20"), G, "",
       {Kind::XmlBadChar, 2, 0, "Shift_JIS"}},
      {"cut UTF-16", "\xFF\xFE" + utf16(gpx("", name), false) + "<", G, "",
       {Kind::XmlBadChar, 5, 0, "UTF-16"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(DetectActivityFormat(c.bytes), c.format);
    const ActivityReadResult r = ReadActivity(c.bytes, "x.gpx");
    EXPECT_EQ(r.error, c.error);
    if (c.error || !r.record) continue;
    EXPECT_EQ(r.record->name, c.name);
    EXPECT_EQ(r.record->tracks.at(r.record->defaultTrack).points.size(), 2u);
  }
}

// The fuzzers' seeds and what they kept, replayed without clang: the
// record import's and the race file reader's.
TEST(FuzzCorpus, EveryInputKeepsTheInvariants) {
  const struct {
    const char* folder;
    std::string (*check)(std::string_view);
    int atLeast;
  } corpora[] = {{"activity_corpus", fuzz::CheckActivityInvariants, 8},
                 {"corpus", fuzz::CheckRaceFileInvariants, 10}};
  for (const auto& c : corpora) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(QV_SOURCE_DIR) / "fuzz" / c.folder)) {
      if (!entry.is_regular_file()) continue;
      ++files;
      EXPECT_EQ(c.check(filetest::ReadBytes(entry.path().string())), "")
          << entry.path();
    }
    EXPECT_GE(files, c.atLeast) << c.folder;
  }
}

}  // namespace
}  // namespace qv
