#include "message_table.h"

#include <QCoreApplication>

namespace kestrum {

namespace {
constexpr const char* kMessages[kMessageCount] = {
    "temp.txt",
    "kestrumconfig",
    "kestrumconfig.bak",
    QT_TRANSLATE_NOOP("Message", "DATA DOWNLOAD FAILED.  RETRY?"),
    "temp.html",
    QT_TRANSLATE_NOOP("Message", "Downloading Data Files..."),
    QT_TRANSLATE_NOOP("Message", "Parsing Data Files..."),
    QT_TRANSLATE_NOOP("Message", "FILE SIZE ERROR.  CONTINUE DATA EXTRACTION OR CANCEL?"),
    QT_TRANSLATE_NOOP("Message", "Exchange Rates v. Canadian Dollar"),
    QT_TRANSLATE_NOOP("Message", "Exchange Rates v. U.S. Dollar"),
    QT_TRANSLATE_NOOP("Message", "Canadian Dollar"),
    QT_TRANSLATE_NOOP("Message", "U.S. Dollars"),
    QT_TRANSLATE_NOOP("Message", "Canadian Dollars"),
    "https://www.bankofcanada.ca/valet/observations/group/FX_RATES_DAILY/json?recent=5",
    // No publisher site exists: the data-files, software and program pages stay empty.
    "",
    "mlist.dt",
    "clist.dt",
    "updi.dt",
    "vd.dt",
    "sd.dt",
    QT_TRANSLATE_NOOP("Message", "Downloading Data Files..."),
    "data/",
    "rt.dt",
    QT_TRANSLATE_NOOP("Message", "Franc CFA"),
    QT_TRANSLATE_NOOP("Message", "Franc CFP"),
    QT_TRANSLATE_NOOP("Message", "Program Error.  Value not found."),
    "",
    "",
    "currency_converter.html",
    QT_TRANSLATE_NOOP("Message",
                      "Error Parsing Downloaded Data File.  The program may need to be updated "
                      "or you may need to download this file again."),
    QT_TRANSLATE_NOOP(
        "Message",
        "Internet not connected.  If you believe this message is in error select \"Retry\""),
    QT_TRANSLATE_NOOP(
        "Message", "Data Files are available only from Monday to Friday after 2 PM Eastern Time."),
    QT_TRANSLATE_NOOP("Message", "Approximately "),
    QT_TRANSLATE_NOOP("Message", " hours remaining."),
    QT_TRANSLATE_NOOP("Message", "Error : Missing Rate Data File"),
    QT_TRANSLATE_NOOP("Message", "Error loading rate data file"),
};
} // namespace

const char* Message(int index) {
    if (index < 0 || index >= kMessageCount)
        return "";
    return kMessages[index];
}

QString MessageText(int index) {
    return QCoreApplication::translate("Message", Message(index));
}

} // namespace kestrum
