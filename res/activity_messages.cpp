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
    case Kind::FileTooLarge: return kMsgFileTooLarge;
    case Kind::NoMemory: return kMsgImportNoMemory;
    case Kind::ReadFailed: return kMsgReadFailed;
    case Kind::NotActivity: return kMsgImportNotActivity;
    case Kind::FitBadHeader: return kMsgFitBadHeader;
    case Kind::FitHeaderCrc: return kMsgFitHeaderCrc;
    case Kind::FitFileCrc: return kMsgFitFileCrc;
    case Kind::FitTruncated: return kMsgFitTruncated;
    case Kind::FitUndefinedMessage: return kMsgFitUndefinedMessage;
    case Kind::FitTrailingBytes: return kMsgFitTrailingBytes;
    case Kind::FitNotActivity: return kMsgFitNotActivity;
    case Kind::XmlMalformed:
      return kMsgXmlMalformed + Number(e.number) + kMsgXmlMalformedEnd;
    case Kind::XmlEntity: return kMsgXmlEntity;
    case Kind::XmlWrongRoot: return kMsgXmlWrongRoot;
    case Kind::XmlEncoding:
      return kMsgXmlEncoding + e.name + kMsgXmlEncodingEnd;
    case Kind::XmlBadChar:
      return kMsgXmlBadChar + e.name + kMsgXmlBadCharLine + Number(e.number) +
             kMsgXmlMalformedEnd;
    case Kind::BadLap: return Number(e.number) + kMsgImportBadLap;
    case Kind::NoTime: return kMsgImportNoTime;
    case Kind::NoLaps: return kMsgImportNoLaps;
    case Kind::NoPoints: return kMsgImportNoPoints;
    case Kind::TooFewPoints: return kMsgImportTooFewPoints;
    case Kind::ZeroDistance: return kMsgImportZeroDistance;
    case Kind::ZeroTime: return kMsgImportZeroTime;
    case Kind::TooLong: return kMsgImportTooLong;
    case Kind::TooManySections:
      return kMsgImportTooManySections + Number(e.count) +
             kMsgImportTooManySectionsEnd;
    case Kind::TooManyLaps:
      return kMsgImportTooManyLaps + Number(e.count) + kMsgImportTooManyLapsEnd;
    case Kind::BadSplit: return kMsgImportBadSplit;
    case Kind::BadOfficial: return kMsgImportBadOfficial;
    case Kind::BadTrack: return kMsgImportBadTrack;
    case Kind::NoTrack:
      return kMsgImportNoTrack + Number(e.number) + kMsgImportNoTrackCount +
             Number(e.count) + kMsgImportNoTrackEnd;
  }
  return "";
}

}  // namespace qv
