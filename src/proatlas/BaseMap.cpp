#include "proatlas/BaseMap.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <hdf5.h>
#include <netcdf.h>

namespace kel {

namespace {

// libnetcdf is not safe to call from two threads at once. HDF5 below it prints a
// diagnostic for every optional attribute that netCDF probes and the files lack; those
// are not errors, and real failures come back as netCDF status codes.
std::mutex& NetcdfMutex() {
    static std::mutex m;
    return m;
}

// Called with the mutex held, on the thread that reads (HDF5 keeps its error reporting
// per thread).
void QuietHdf5() {
    H5open();
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
}

constexpr double kBinSizes_deg[kBaseLevels] = {20, 10, 5, 2, 1};

struct NcFile {
    int id = -1;
    ~NcFile() {
        if (id >= 0) nc_close(id);
    }
};

template <typename T>
bool ReadVar(int file, const char* name, std::vector<T>& out, QString* error) {
    int var = 0;
    int status = nc_inq_varid(file, name, &var);
    int dims[NC_MAX_VAR_DIMS];
    int nd = 0;
    if (status == NC_NOERR) status = nc_inq_varndims(file, var, &nd);
    if (status == NC_NOERR) status = nc_inq_vardimid(file, var, dims);
    size_t len = 1;
    for (int d = 0; status == NC_NOERR && d < nd; ++d) {
        size_t l = 0;
        status = nc_inq_dimlen(file, dims[d], &l);
        len *= l;
    }
    if (status == NC_NOERR) {
        out.resize(len);
        if constexpr (std::is_same_v<T, int>) status = nc_get_var_int(file, var, out.data());
        else status = nc_get_var_short(file, var, out.data());
    }
    if (status != NC_NOERR) {
        if (error) *error = QStringLiteral("%1: %2").arg(QString::fromLatin1(name), QString::fromUtf8(nc_strerror(status)));
        return false;
    }
    return true;
}

}  // namespace

QString GshhgFolder() {
    const QString env = qEnvironmentVariable("KEL_GSHHG_DIR");
    return env.isEmpty() ? QStringLiteral("/usr/share/gmt-gshhg") : env;
}

bool ReadGshhgFile(const QString& folder, const QString& kind, int level, BaseLevelData& out,
                   QString* error) {
    const QString path = QDir(folder).filePath(
        QStringLiteral("binned_%1_%2.nc").arg(kind).arg(QLatin1Char(kBaseLevelLetters[level])));
    if (!QFileInfo::exists(path)) {
        if (error) *error = QStringLiteral("%1 is missing (install gmt-gshhg)").arg(path);
        return false;
    }
    const bool shore = kind == QLatin1String("GSHHS");
    std::vector<int> binFirstSeg, segFirstPt, segInfo;
    std::vector<short> binSegs, segPts, segLevel, dx, dy;
    {
        std::lock_guard lock(NetcdfMutex());
        QuietHdf5();
        NcFile f;
        const int status = nc_open(path.toLocal8Bit().constData(), NC_NOWRITE, &f.id);
        if (status != NC_NOERR) {
            if (error) *error = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(nc_strerror(status)));
            return false;
        }
        QString why;
        bool ok = ReadVar(f.id, "Id_of_first_segment_in_a_bin", binFirstSeg, &why) &&
                  ReadVar(f.id, "N_segments_in_a_bin", binSegs, &why) &&
                  ReadVar(f.id, "Id_of_first_point_in_a_segment", segFirstPt, &why) &&
                  ReadVar(f.id, "Relative_longitude_from_SW_corner_of_bin", dx, &why) &&
                  ReadVar(f.id, "Relative_latitude_from_SW_corner_of_bin", dy, &why);
        if (ok && shore)
            ok = ReadVar(f.id, "Embedded_npts_levels_exit_entry_for_a_segment", segInfo, &why);
        if (ok && !shore)
            ok = ReadVar(f.id, "N_points_for_a_segment", segPts, &why) &&
                 ReadVar(f.id, "Hierarchial_level_of_a_segment", segLevel, &why);
        if (!ok) {
            if (error) *error = path + QStringLiteral(": ") + why;
            return false;
        }
    }
    const double size = kBinSizes_deg[level];
    const int across = int(360.0 / size + 0.5), down = int(180.0 / size + 0.5);
    const size_t bins = std::min(binFirstSeg.size(), binSegs.size());
    if (out.binsAcross == 0) {
        out.binSize_deg = size;
        out.binsAcross = across;
        out.binsDown = down;
    }
    if (bins != size_t(across) * size_t(down) || out.binsAcross != across) {
        if (error) *error = path + QStringLiteral(": unexpected bin layout");
        return false;
    }
    // Lines are appended bin by bin; the caller merges kinds through binFirst later.
    const BaseKind baseKind = shore ? BaseKind::kShore
                              : kind == QLatin1String("border") ? BaseKind::kBorder
                                                                 : BaseKind::kRiver;
    const double scale = size / 65535.0;
    std::vector<std::vector<BaseLine>> perBin(bins);
    for (size_t b = 0; b < bins; ++b) {
        const double south = out.BinSouth(int(b)), west = out.BinWest(int(b));
        for (int k = 0; k < binSegs[b]; ++k) {
            const size_t s = size_t(binFirstSeg[b]) + size_t(k);
            if (s >= segFirstPt.size()) break;
            size_t n = 0;
            quint8 lev = 1;
            bool closed = false;
            if (shore) {
                if (s >= segInfo.size()) break;
                const unsigned info = unsigned(segInfo[s]);
                n = info >> 9;
                lev = quint8((info >> 6) & 7);
                closed = ((info >> 3) & 7) == 4;
            } else {
                if (s >= segPts.size() || s >= segLevel.size()) break;
                n = size_t(quint16(segPts[s]));
                lev = quint8(segLevel[s]);
            }
            const size_t p0 = size_t(segFirstPt[s]);
            if (n == 0 || p0 + n > dx.size() || p0 + n > dy.size()) continue;
            BaseLine line{baseKind, lev, quint32(out.lon.size()), 0};
            for (size_t i = 0; i < n; ++i) {
                out.lon.push_back(float(west + quint16(dx[p0 + i]) * scale));
                out.lat.push_back(float(south + quint16(dy[p0 + i]) * scale));
            }
            if (closed) {
                out.lon.push_back(out.lon[line.first]);
                out.lat.push_back(out.lat[line.first]);
            }
            line.count = quint32(out.lon.size()) - line.first;
            perBin[b].push_back(line);
        }
    }
    // Merge with the lines already held (other kinds) bin by bin.
    std::vector<BaseLine> merged;
    std::vector<quint32> first(bins + 1, 0);
    merged.reserve(out.lines.size() + bins);
    for (size_t b = 0; b < bins; ++b) {
        first[b] = quint32(merged.size());
        if (!out.binFirst.empty())
            merged.insert(merged.end(), out.lines.begin() + out.binFirst[b],
                          out.lines.begin() + out.binFirst[b + 1]);
        merged.insert(merged.end(), perBin[b].begin(), perBin[b].end());
    }
    first[bins] = quint32(merged.size());
    out.lines = std::move(merged);
    out.binFirst = std::move(first);
    return true;
}

std::shared_ptr<const BaseLevelData> ReadBaseLevel(const QString& folder, int level) {
    auto data = std::make_shared<BaseLevelData>();
    QString error;
    for (const char* kind : {"GSHHS", "border", "river"}) {
        QString why;
        if (!ReadGshhgFile(folder, QString::fromLatin1(kind), level, *data, &why) && error.isEmpty())
            error = why;
    }
    data->error = error;
    return data;
}

BaseMap::BaseMap(QString folder, QObject* parent) : QObject(parent), folder_(std::move(folder)) {}

BaseMap::~BaseMap() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    if (worker_.joinable()) worker_.join();
}

std::shared_ptr<const BaseLevelData> BaseMap::Level(int level) {
    if (level < 0 || level >= kBaseLevels) return nullptr;
    std::lock_guard lock(mutex_);
    if (levels_[size_t(level)]) return levels_[size_t(level)];
    if (!requested_[size_t(level)]) {
        requested_[size_t(level)] = true;
        const bool idle = queue_.empty();
        queue_.push_back(level);
        if (idle) {
            if (worker_.joinable()) worker_.join();  // the last run has ended or is ending
            worker_ = std::thread([this] { Worker(); });
        }
    }
    return nullptr;
}

void BaseMap::Worker() {
    for (;;) {
        int level = -1;
        {
            std::lock_guard lock(mutex_);
            if (stopping_ || queue_.empty()) return;
            level = queue_.front();
        }
        auto data = ReadBaseLevel(folder_, level);
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;  // the queue was emptied by the destructor
            levels_[size_t(level)] = data;
            queue_.erase(queue_.begin());
        }
        QMetaObject::invokeMethod(this, [this, level] { Q_EMIT LevelReady(level); },
                                  Qt::QueuedConnection);
    }
}

std::shared_ptr<const BaseLevelData> BaseMap::LevelNow(int level) {
    if (level < 0 || level >= kBaseLevels) return nullptr;
    {
        std::lock_guard lock(mutex_);
        if (levels_[size_t(level)]) return levels_[size_t(level)];
    }
    auto data = ReadBaseLevel(folder_, level);
    std::lock_guard lock(mutex_);
    if (!levels_[size_t(level)]) levels_[size_t(level)] = data;
    return levels_[size_t(level)];
}

int BaseMap::ReadyLevel(int level) const {
    std::lock_guard lock(mutex_);
    for (int l = std::min(level, kBaseLevels - 1); l >= 0; --l)
        if (levels_[size_t(l)]) return l;
    return -1;
}

int BaseMap::LevelFor(double degPerPixel) {
    if (degPerPixel > 0.08) return 0;
    if (degPerPixel > 0.02) return 1;
    if (degPerPixel > 0.004) return 2;
    if (degPerPixel > 0.0008) return 3;
    return 4;
}

std::shared_ptr<const BaseLevelData> BaseMap::BestLevel(int level, bool wait) {
    level = std::clamp(level, 0, kBaseLevels - 1);
    const auto usable = [](const std::shared_ptr<const BaseLevelData>& d) {
        return d && d->binsAcross > 0 && !d->lines.empty();
    };
    // Only the wanted level is asked for; coarser ones are taken as they are.
    for (int l = level; l >= 0; --l) {
        std::shared_ptr<const BaseLevelData> data;
        if (wait) {
            data = LevelNow(l);
        } else if (l == level) {
            data = Level(l);
        } else {
            std::lock_guard lock(mutex_);
            data = levels_[size_t(l)];
        }
        if (usable(data)) return data;
    }
    // Nothing read yet: the coarsest level is small enough to read at once.
    auto coarse = LevelNow(0);
    return coarse && coarse->binsAcross > 0 ? coarse : nullptr;
}

}  // namespace kel
