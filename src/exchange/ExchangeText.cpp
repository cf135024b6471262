#include "exchange/ExchangeText.h"

#include <cmath>

namespace kel {

QByteArray DegreesText(double deg) {
    QByteArray t = QByteArray::number(deg, 'f', kExchangeDecimals);
    if (t.contains('.')) {
        while (t.endsWith('0')) t.chop(1);
        if (t.endsWith('.')) t.chop(1);
    }
    if (t == "-0") t = "0";
    return t;
}

QByteArray XmlEscaped(const QString& text) {
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': s += QLatin1String("&amp;"); break;
        case '<': s += QLatin1String("&lt;"); break;
        case '>': s += QLatin1String("&gt;"); break;
        case '"': s += QLatin1String("&quot;"); break;
        case '\t': case '\n': case '\r': s += c; break;
        default: s += c.unicode() < 0x20 ? QChar(QLatin1Char(' ')) : c;
        }
    }
    return s.toUtf8();
}

bool ReadDegrees(QStringView text, double limit, double* out) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > limit) return false;
    *out = v;
    return true;
}

}  // namespace kel

namespace kel {

QByteArray JsonQuoted(const QString& text) {
    QString s;
    s.reserve(text.size() + 2);
    s += QLatin1Char('"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': s += QLatin1String("\\\""); break;
        case '\\': s += QLatin1String("\\\\"); break;
        case '\n': s += QLatin1String("\\n"); break;
        case '\r': s += QLatin1String("\\r"); break;
        case '\t': s += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20) {
                s += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                s += c;
            }
        }
    }
    s += QLatin1Char('"');
    return s.toUtf8();
}

void AddExchangeNote(QStringList& notes, const QString& note) {
    if (notes.size() < kMaxExchangeNotes) notes.append(note);
}

}  // namespace kel
