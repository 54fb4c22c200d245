#pragma once

#include <QString>

namespace kestrum {

constexpr int kMessageCount = 36;

// The fixed table of file names, addresses and message texts, cited by entry
// number across the program. Unused entries stay so the numbering holds.
const char* Message(int index);
// A message entry as the user reads it, in the language in use; file names
// and addresses come back as they are.
QString MessageText(int index);

namespace msg {
enum : int {
    TempTxt = 0,
    ConfigFile = 1,
    ConfigBackup = 2,
    DownloadFailed = 3,
    TempHtml = 4,
    Downloading = 5,
    Parsing = 6,
    FileSizeError = 7,
    GridCanCaption = 8,
    GridUsCaption = 9,
    CanadianDollar = 10,
    UsDollars = 11,
    CanadianDollars = 12,
    RatePageAddress = 13,
    DataFilesAddress = 14,
    MListFile = 15,
    CListFile = 16,
    UpdiFile = 17,
    VdFile = 18,
    SdFile = 19,
    Downloading2 = 20,
    DataDir = 21,
    RateFile = 22,
    FrancCfa = 23,
    FrancCfp = 24,
    ValueNotFound = 25,
    SoftwarePage = 26,
    ProgramPage = 27,
    HelpFile = 28,
    ParseError = 29,
    NotConnected = 30,
    HoursRule = 31,
    Approximately = 32,
    HoursRemaining = 33,
    MissingRateFile = 34,
    RateFileLoadError = 35,
};
} // namespace msg

} // namespace kestrum
