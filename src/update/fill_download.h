#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace kestrum {

// The downloads that fill an answer's gaps, in order: the other service's
// latest rates (the ECB's file for a Valet answer, the Valet service for an
// ECB answer, or the mirror the preferences name instead), then the NBP's
// latest tables A and B (or those under the base address the preferences
// name). None for a page of the old layout, whose days are long past.
QStringList FillAddresses(QByteArrayView primaryBody);

// Keeps a filling answer in the history only ("rt.dt" follows when the
// primary's answer is stored after it). One sentence when it could not,
// else nothing.
QString KeepFillAnswer(QByteArrayView body, const QString& address);

// The one sentence for a fill download that failed; the primary's rates stand.
QString FillFailedSentence(const QString& address, const QString& reason);

} // namespace kestrum
