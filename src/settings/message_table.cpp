#include "message_table.h"

namespace kestrum {

namespace {
constexpr const char* kMessages[kMessageCount] = {
    "temp.txt",
    "kestrumconfig",
    "kestrumconfig.bak",
    "DATA DOWNLOAD FAILED.  RETRY?",
    "temp.html",
    "Downloading Data Files...",
    "Parsing Data Files...",
    "FILE SIZE ERROR.  CONTINUE DATA EXTRACTION OR CANCEL?",
    "Exchange Rates v. Canadian Dollar",
    "Exchange Rates v. U.S. Dollar",
    "Canadian Dollar",
    "U.S. Dollars",
    "Canadian Dollars",
    "https://www.bankofcanada.ca/valet/observations/group/FX_RATES_DAILY/json?recent=5",
    // No publisher site exists: the data-files, software and program pages stay empty.
    "",
    "mlist.dt",
    "clist.dt",
    "updi.dt",
    "vd.dt",
    "sd.dt",
    "Downloading Data Files...",
    "data/",
    "rt.dt",
    "Franc CFA",
    "Franc CFP",
    "Program Error.  Value not found.",
    "",
    "",
    "currency_converter.html",
    // Parenthesised: one entry split over two lines, not two entries missing a comma.
    ("Error Parsing Downloaded Data File.  The program may need to be updated or you may need "
     "to download this file again."),
    "Internet not connected.  If you believe this message is in error select \"Retry\"",
    "Data Files are available only from Monday to Friday after 2 PM Eastern Time.",
    "Approximately ",
    " hours remaining.",
    "Error : Missing Rate Data File",
    "Error loading rate data file",
};
} // namespace

const char* Message(int index) {
    if (index < 0 || index >= kMessageCount)
        return "";
    return kMessages[index];
}

} // namespace kestrum
