#include "res/activity_messages.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "race/numtext.h"
#include "res/strings.h"

namespace qv {

namespace {

// Counts beyond an int are shown as its largest.
std::string Number(std::int64_t n) {
  return FormatInt(static_cast<int>(std::clamp<std::int64_t>(n, 0, INT_MAX)));
}

}  // namespace

std::string ActivityErrorText(const ActivityError& e) {
  using Kind = ActivityError::Kind;
  switch (e.kind) {
    case Kind::None: return "";
    case Kind::FileTooLarge: return std::string(kMsgFileTooLarge);
    case Kind::NoMemory: return std::string(kMsgImportNoMemory);
    case Kind::ReadFailed: return std::string(kMsgReadFailed);
    case Kind::NotActivity: return std::string(kMsgImportNotActivity);
    case Kind::FitBadHeader: return std::string(kMsgFitBadHeader);
    case Kind::FitHeaderCrc: return std::string(kMsgFitHeaderCrc);
    case Kind::FitFileCrc: return std::string(kMsgFitFileCrc);
    case Kind::FitTruncated: return std::string(kMsgFitTruncated);
    case Kind::FitUndefinedMessage: return std::string(kMsgFitUndefinedMessage);
    case Kind::FitTrailingBytes: return std::string(kMsgFitTrailingBytes);
    case Kind::FitNotActivity: return std::string(kMsgFitNotActivity);
    case Kind::XmlMalformed: return Fill(kMsgXmlMalformed, {Number(e.number)});
    case Kind::XmlEntity: return std::string(kMsgXmlEntity);
    case Kind::XmlWrongRoot: return std::string(kMsgXmlWrongRoot);
    case Kind::XmlEncoding: return Fill(kMsgXmlEncoding, {e.name});
    case Kind::XmlBadChar:
      return Fill(kMsgXmlBadChar, {e.name, Number(e.number)});
    case Kind::BadLap: return Fill(kMsgImportBadLap, {Number(e.number)});
    case Kind::NoTime: return std::string(kMsgImportNoTime);
    case Kind::NoLaps: return std::string(kMsgImportNoLaps);
    case Kind::NoPoints: return std::string(kMsgImportNoPoints);
    case Kind::TooFewPoints: return std::string(kMsgImportTooFewPoints);
    case Kind::ZeroDistance: return std::string(kMsgImportZeroDistance);
    case Kind::ZeroTime: return std::string(kMsgImportZeroTime);
    case Kind::TooLong: return std::string(kMsgImportTooLong);
    case Kind::TooManySections:
      return Fill(kMsgImportTooManySections, {Number(e.count)});
    case Kind::TooManyLaps:
      return Fill(kMsgImportTooManyLaps, {Number(e.count)});
    case Kind::BadSplit: return std::string(kMsgImportBadSplit);
    case Kind::BadOfficial: return std::string(kMsgImportBadOfficial);
    case Kind::BadTrack: return std::string(kMsgImportBadTrack);
    case Kind::NoTrack:
      return Fill(kMsgImportNoTrack, {Number(e.number), Number(e.count)});
  }
  return "";
}

}  // namespace qv
