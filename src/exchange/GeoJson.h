// GeoJSON (RFC 7946) in and out: every figure command of a script as a Feature, with
// coordinates in WGS84, longitude before latitude, at 1e-6 degree.
//
// Export: point -> Point; line -> LineString; area -> Polygon; rect -> Polygon of its four
// corners (from its first two positions, or, with one position, a `width` by `height`
// rectangle in metres centred on it); circle -> Point with the property `radius_m`, or, with
// `circlePolygons`, a Polygon of `circleSegments` sides around it. A figure with too few
// positions for its type degrades (an area of two positions is a LineString, a line of one
// a Point). Properties: "kel" (the command word), every non-empty parameter of the figure
// by its own name, and the parameters of the `group` of its `gid` (gname, colours, styles,
// widths), with "stroke", "stroke-width", "fill" and "marker-color" derived from them for
// web maps that follow the simplestyle convention.
//
// Import: each Feature (or bare geometry) becomes a figure command: the "kel" property
// when it names a figure type that fits the geometry, else point, line or area by geometry
// type (a Point with `radius_m` a circle); Multi* geometries give one figure per part.
// Properties that name a parameter of the command go into it; group parameters and the
// derived style properties make one `group` command per gid; everything else is added to
// `info` as "name=value". A figure without an `oid` is numbered in file order. Features
// without a usable geometry are skipped and counted.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "geo/Datum.h"

namespace kel {

struct GeoJsonOptions {
    bool circlePolygons = false;
    int circleSegments = 64;
};

struct GeoJsonResult {
    bool ok = true;
    QString error;
    QByteArray json;       // export
    QStringList lines;     // import: the command texts of a complete script
    int features = 0;      // features written or figures made
    int skipped = 0;       // figures or features passed over
    int changedValues = 0; // import: values changed to fit a script
    QStringList notes;     // what was passed over or changed (the first 100)
    QString unknownDatum;  // the script's datum is not known: positions unconverted

    QString Summary() const;
};

// The figures among `commandTexts` (all of them when `only` is empty, else those whose
// index is listed) as a FeatureCollection. Groups and the datum are looked up in the whole
// script.
GeoJsonResult ConvertCommandsToGeoJson(const QStringList& commandTexts, const QList<int>& only,
                                       const GeoJsonOptions& options);

// GeoJSON text as the command texts of a complete script in `scriptDatum`.
GeoJsonResult ConvertGeoJsonToKel(const QByteArray& json, const Datum& scriptDatum);

}  // namespace kel
