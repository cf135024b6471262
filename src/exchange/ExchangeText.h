// Small text rules shared by the GPX and GeoJSON writers and readers.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kel {

// Decimal places of the degrees written to exchange files: 1e-6 degree (about 0.1 m) keeps
// a script's 0.1-second positions through a round trip.
constexpr int kExchangeDecimals = 6;

// Degrees with kExchangeDecimals places, trailing zeros dropped ("35.5", "-0.000123").
QByteArray DegreesText(double deg);

// UTF-8 text for XML content and attribute values: &, <, >, " escaped; control characters
// that XML 1.0 cannot hold become blanks.
QByteArray XmlEscaped(const QString& text);

// Reads a decimal number of degrees; false when the text is not one or lies beyond `limit`.
bool ReadDegrees(QStringView text, double limit, double* out);

}  // namespace kel

namespace kel {

// A JSON string literal (UTF-8) of a text.
QByteArray JsonQuoted(const QString& text);

// Keeps at most kMaxExchangeNotes notes.
constexpr int kMaxExchangeNotes = 100;
void AddExchangeNote(QStringList& notes, const QString& note);

}  // namespace kel
