#include "exchange/ExchangeText.h"

#include <charconv>
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
    double v = 0;
    const QStringView t = text.trimmed();
    // Files hold hundreds of thousands of these, plain decimal numbers as a rule: those are
    // read from an ASCII copy on the stack; anything else goes through Qt's reading.
    char buf[64];
    qsizetype n = 0;
    bool ascii = t.size() < qsizetype(sizeof buf);
    for (qsizetype i = 0; ascii && i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        ascii = (c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'e' || c == u'E' ||
                (c == u'+' && i > 0);
        buf[n++] = char(c);
    }
    if (ascii && n > 0) {
        const auto [end, error] = std::from_chars(buf, buf + n, v);
        ok = error == std::errc() && end == buf + n;
    }
    if (!ok) v = t.toDouble(&ok);
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
