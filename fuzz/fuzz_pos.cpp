// Position lists and coordinates.
//
// The input is read as a `pos` value: as texts, as numbers, with its bounds and position
// by position. The number reading must agree with the text reading (computations on either
// must agree). Short inputs are also read as one coordinate in every format and converted
// between every pair of formats.
#include <cmath>
#include <cstdint>

#include "FuzzSupport.h"
#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/PosList.h"

using namespace kel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = kel::fuzz::FileText(data, size);

    const PosTexts texts = ParsePosList(text);
    KEL_FUZZ_CHECK(texts.lat.size() == texts.lon.size(), text);
    KEL_FUZZ_CHECK(texts.count() <= kMaxPositions, text);
    const PosDegrees degrees = ParsePosDegrees(text);
    KEL_FUZZ_CHECK(degrees.count() == texts.count(), text);
    KEL_FUZZ_CHECK(degrees.truncated == texts.truncated, text);
    for (int i = 0; i < texts.count(); ++i) {
        const double lat = Val(texts.lat[i]), lon = Val(texts.lon[i]);
        const auto same = [](double a, double b) {
            return a == b || (std::isnan(a) && std::isnan(b));
        };
        KEL_FUZZ_CHECK(same(degrees.lat[size_t(i)], lat) && same(degrees.lon[size_t(i)], lon),
                       QStringLiteral("position %1: %2,%3 as texts, %4,%5 as numbers\n%6")
                           .arg(i)
                           .arg(texts.lat[i], texts.lon[i])
                           .arg(degrees.lat[size_t(i)])
                           .arg(degrees.lon[size_t(i)])
                           .arg(text));
    }
    ParsePosListBounds(text);

    QString lat, lon;
    const int count = GetPosPair(text, 1, lat, lon);
    KEL_FUZZ_CHECK(count >= 0 && count <= kMaxPositions, text);
    if (count > 0) {
        GetPosPair(text, count, lat, lon);
        GetPosPair(text, count + 1, lat, lon);
        KEL_FUZZ_CHECK(lat.isEmpty() && lon.isEmpty(), text);
    }
    int index = 2;
    GetPosPairAt(text, index, lat, lon);

    if (text.size() <= 64) {
        static const char* const formats[] = {"D", "DM", "DMS", "KEL", "PAO", "X"};
        for (const char* from : formats) {
            const QString f = QLatin1String(from);
            ParsePosDegrees(text, CoordFormatOf(f));
            CoordToDegrees(text, CoordFormatOf(f));
            for (const char* to : formats) ConvertCoord(text, f, QLatin1String(to));
        }
        KelToDegrees(text);
    }
    return 0;
}
