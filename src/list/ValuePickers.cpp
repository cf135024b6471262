#include "list/ValuePickers.h"

#include <algorithm>
#include <cmath>

#include "common/Values.h"

namespace kel {

namespace {

constexpr int kColourParts = 3;
constexpr double kColourMax = 255;

QStringList StyleItems(QStringView prefix) {
    if (prefix == u"text") return {QStringLiteral("plain"), QStringLiteral("frame#1")};
    if (prefix == u"line" || prefix == u"bodr")
        return {QStringLiteral("line#0"), QStringLiteral("line#1"), QStringLiteral("line#2"),
                QStringLiteral("line#3")};
    if (prefix == u"area")
        return {QStringLiteral("fill"),    QStringLiteral("hatch#0"), QStringLiteral("hatch#1"),
                QStringLiteral("hatch#2"), QStringLiteral("hatch#3"), QStringLiteral("hatch#4"),
                QStringLiteral("hatch#5")};
    if (prefix == u"point")
        return {QStringLiteral("mark#13024"), QStringLiteral("mark#93050"),
                QStringLiteral("mark#14010"), QStringLiteral("mark#14131"),
                QStringLiteral("mark#92000"), QStringLiteral("mark#14700")};
    return {};
}

}  // namespace

bool HasKeywordList(const QString& name) {
    static const QStringList kEnumerated = {
        QStringLiteral("strpos"),  QStringLiteral("strformat"), QStringLiteral("savable"),
        QStringLiteral("urltype"), QStringLiteral("method"),    QStringLiteral("type"),
        QStringLiteral("format")};
    return name.endsWith(QLatin1String("style")) || kEnumerated.contains(name);
}

QStringList ParListItems(const QString& name, const QString& commandWord) {
    if (name.endsWith(QLatin1String("style"))) return StyleItems(QStringView(name).chopped(5));
    if (name == QLatin1String("strpos")) {
        QStringList items = {QStringLiteral("center"), QStringLiteral("top"),
                             QStringLiteral("left"), QStringLiteral("right"),
                             QStringLiteral("bottom")};
        if (commandWord == QLatin1String("rect"))
            items << QStringLiteral("topleft") << QStringLiteral("topright")
                  << QStringLiteral("bottomleft") << QStringLiteral("bottomright");
        return items;
    }
    if (name == QLatin1String("strformat"))
        return {QStringLiteral("right"), QStringLiteral("left"), QStringLiteral("center")};
    if (name == QLatin1String("savable")) return {QStringLiteral("yes"), QStringLiteral("no")};
    if (name == QLatin1String("urltype"))
        return {QStringLiteral("ax_hlink"), QStringLiteral("ap_scrpt")};
    if (name == QLatin1String("method")) return {QStringLiteral("GET"), QStringLiteral("POST")};
    if (name == QLatin1String("type"))
        return {QStringLiteral("point"), QStringLiteral("line"), QStringLiteral("rect"),
                QStringLiteral("area")};
    if (name == QLatin1String("format")) return {QStringLiteral("1"), QStringLiteral("2")};
    return {};
}

bool IsColourParam(const QString& name) { return name.endsWith(QLatin1String("rgb")); }

int RgbFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return 0;
    int rgb = 0;
    int part = 0;
    for (const QStringView p : QStringView(t).tokenize(QLatin1Char(','))) {
        if (part == kColourParts) break;
        const double v = std::clamp(Val(p), 0.0, kColourMax);
        rgb += int(RoundHalfEven(v)) << (8 * part);
        ++part;
    }
    return rgb;
}

QString TextFromRgb(int rgb) {
    return QStringLiteral("%1,%2,%3").arg(rgb & 0xff).arg((rgb >> 8) & 0xff).arg((rgb >> 16) & 0xff);
}

QString ColourTextProblem(QStringView text) {
    int parts = 0;
    for (const QStringView p : text.tokenize(QLatin1Char(','))) {
        ++parts;
        if (parts > kColourParts) break;
        double v = 0;
        if (!IsNumberText(p, &v))
            return QStringLiteral("\"%1\" is not a number").arg(p.toString().trimmed());
        if (v != std::floor(v) || v < 0 || v > kColourMax)
            return QStringLiteral("%1 is not a whole number from 0 to 255")
                .arg(p.toString().trimmed());
    }
    if (parts != kColourParts) return QStringLiteral("a colour is three numbers red,green,blue");
    return QString();
}

}  // namespace kel
