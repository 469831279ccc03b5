#include "outputoctet.h"

namespace DirazSensorPlugin {
namespace Core {

quint8 outputOctet(const OutputRowStates &checked)
{
    static constexpr int bits[kOutputRowCount] = {0, 1, 3, 4, 7};
    quint8 octet = 0;
    for (int i = 0; i < kOutputRowCount; ++i) {
        const bool set = i == 0 ? !checked[i] : checked[i];
        if (set)
            octet |= quint8(1u << bits[i]);
    }
    return octet;
}

} // namespace Core
} // namespace DirazSensorPlugin
