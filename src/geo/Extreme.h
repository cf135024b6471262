// Which figure a distance search from a reference figure looks for.
#pragma once

namespace kel {

enum class Extreme { Nearest = 1, Farthest = 2 };

}  // namespace kel
