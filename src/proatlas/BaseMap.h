// The base map under the figures: coastlines with lakes, national borders and rivers of
// the GSHHG data set (Debian's gmt-gshhg packages, netCDF files in /usr/share/gmt-gshhg).
// The data come at five resolutions, each cut into bins of a fixed size: "c" (20 degree
// bins) for the world, "l" (10), "i" (5) for a country, "h" (2) for a region and "f" (1,
// from gmt-gshhg-full, about 120 m between points at Tokyo Bay) down to a city block. A
// level is read whole on a worker thread when a view first needs it; until then, and when
// its files are missing, the view shows the finest coarser level at hand.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kel {

enum class BaseKind : quint8 { kShore, kBorder, kRiver };

// One polyline of the base map: points [first, first + count) of its level's arrays.
struct BaseLine {
    BaseKind kind = BaseKind::kShore;
    quint8 level = 1;  // shore: 1 land, 2 lake, 3 island in a lake, 4 pond; border: 1
                       // national, 2 internal, 3 maritime; river: 1 major ... 11 canals
    quint32 first = 0;
    quint32 count = 0;
};

// One resolution, all of its kinds.
struct BaseLevelData {
    double binSize_deg = 0;
    int binsAcross = 0;  // bins per 360 degrees of longitude
    int binsDown = 0;    // bins per 180 degrees of latitude
    // Longitudes 0..360 and latitudes of every point.
    std::vector<float> lon;
    std::vector<float> lat;
    std::vector<BaseLine> lines;
    // The lines of bin b are lines[binFirst[b] .. binFirst[b + 1]).
    std::vector<quint32> binFirst;
    QString error;  // why the level could not be read; empty when it was

    // Bins are numbered row by row from the north; the south-west corner of a bin.
    double BinSouth(int bin) const { return 90.0 - double(bin / binsAcross + 1) * binSize_deg; }
    double BinWest(int bin) const { return double(bin % binsAcross) * binSize_deg; }
};

// The resolutions from coarse to fine.
constexpr int kBaseLevels = 5;
inline const char kBaseLevelLetters[kBaseLevels + 1] = "clihf";

// Reads one resolution of one kind ("GSHHS", "border", "river") from `folder` into
// `out` (appending its lines bin by bin). Returns false with a message when the file
// cannot be read.
bool ReadGshhgFile(const QString& folder, const QString& kind, int level, BaseLevelData& out,
                   QString* error);

// Reads all three kinds of one resolution; the result's error tells what failed.
std::shared_ptr<const BaseLevelData> ReadBaseLevel(const QString& folder, int level);

// The data folder: $KEL_GSHHG_DIR when set, else /usr/share/gmt-gshhg.
QString GshhgFolder();

class BaseMap : public QObject {
    Q_OBJECT
public:
    explicit BaseMap(QString folder = GshhgFolder(), QObject* parent = nullptr);
    ~BaseMap() override;

    // The level's data when read, else null (and its reading is started on the worker).
    std::shared_ptr<const BaseLevelData> Level(int level);
    // Reads a level now on this thread (for pictures made without a window).
    std::shared_ptr<const BaseLevelData> LevelNow(int level);
    // The finest level whose data are ready, at most `level`; -1 when none is.
    int ReadyLevel(int level) const;
    // The data to paint a view that wants `level`: that level when read and complete, else
    // the finest coarser one that is (reading the wanted one starts meanwhile). With
    // `wait`, levels are read now. Null when nothing can be had.
    std::shared_ptr<const BaseLevelData> BestLevel(int level, bool wait);
    // The resolution that suits a view showing `degPerPixel` degrees of longitude per pixel.
    static int LevelFor(double degPerPixel);

Q_SIGNALS:
    void LevelReady(int level);

private:
    void Worker();

    QString folder_;
    mutable std::mutex mutex_;
    std::array<std::shared_ptr<const BaseLevelData>, kBaseLevels> levels_;
    std::array<bool, kBaseLevels> requested_{};
    std::vector<int> queue_;
    std::thread worker_;
    bool stopping_ = false;
};

}  // namespace kel
