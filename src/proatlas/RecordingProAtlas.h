// A map without a window, for tests and for running without a display: it keeps every
// shape and text like the built-in map, has a scale that a test sets, and records the calls
// that concern the view and the window.
#pragma once

#include <QStringList>
#include <vector>

#include "proatlas/MapContent.h"

namespace kel {

class RecordingProAtlas : public MapContent {
public:
    struct Move {
        qint32 lat_ms = 0;
        qint32 lon_ms = 0;
    };

    void ShowWindow() override { calls_ << QStringLiteral("ShowWindow"); }
    void SetEnableMark(bool on) override {
        calls_ << QStringLiteral("EnableMark=%1").arg(on ? 1 : 0);
        MapContent::SetEnableMark(on);
    }
    qint64 hwndMain() const override { return 1; }
    double LayerScale() const override { return layerScale_; }
    void MoveTo(int, int, qint32 lat_ms, qint32 lon_ms) override {
        moves_.push_back({lat_ms, lon_ms});
    }

    void SetLayerScale(double scale) { layerScale_ = scale; }
    const std::vector<Move>& Moves() const { return moves_; }
    const QStringList& Calls() const { return calls_; }

private:
    double layerScale_ = 25000;
    std::vector<Move> moves_;
    QStringList calls_;
};

}  // namespace kel
