#include "copier/device/Tone.h"

#include <algorithm>
#include <cmath>

// A gamma curve keeps black black and white white: 0 lifts the mid-tones (gamma 1/2),
// 100 darkens them (gamma 2).
ToneMap::ToneMap(int brightness, bool gray) : m_bGray(gray), m_bIdentity(false)
{
    int b = std::min(100, std::max(0, brightness));
    double gamma = std::pow(2.0, (b - 50) / 50.0);
    for (int v = 0; v < 256; ++v)
        m_table[v] = static_cast<uint8_t>(std::lround(255.0 * std::pow(v / 255.0, gamma)));
    m_bIdentity = b == 50;
}

void ToneMap::Apply(uint8_t* pixels, size_t count) const
{
    if (m_bIdentity && !m_bGray)
        return;
    for (uint8_t* p = pixels; p < pixels + count * 4; p += 4) {
        if (m_bGray) {
            uint8_t y = static_cast<uint8_t>((p[0] * 114 + p[1] * 587 + p[2] * 299 + 500) / 1000);
            p[0] = p[1] = p[2] = m_table[y];
        } else {
            p[0] = m_table[p[0]];
            p[1] = m_table[p[1]];
            p[2] = m_table[p[2]];
        }
    }
}
