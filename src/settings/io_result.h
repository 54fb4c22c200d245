#pragma once

#include <QString>

namespace kestrum {

// Outcome of a file operation: on failure, a sentence naming the file and the
// system's reason, ready to be shown to the user.
struct IoResult {
    bool ok = true;
    QString error;

    static IoResult Success() { return {}; }
    static IoResult Failure(QString text) { return {false, std::move(text)}; }
    explicit operator bool() const { return ok; }
};

} // namespace kestrum
