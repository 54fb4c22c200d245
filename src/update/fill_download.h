#pragma once

#include <QByteArrayView>
#include <QString>

namespace kestrum {

// The address that fills an answer: the ECB's file for a Valet answer, the
// Valet service for an ECB answer, or the mirror the preferences name instead;
// empty for a page of the old layout.
QString FillAddress(QByteArrayView primaryBody);

// Keeps the other service's answer in the history only ("rt.dt" follows when
// the primary's answer is stored after it). One sentence when it could not,
// else nothing.
QString KeepFillAnswer(QByteArrayView body, const QString& address);

// The one sentence for a fill download that failed; the primary's rates stand.
QString FillFailedSentence(const QString& address, const QString& reason);

} // namespace kestrum
