// The copy's tone: contrast from the job's slider value (0 lightest, 50 as the
// original, 100 darkest) and black copies as grey.
#pragma once

#include <cstddef>
#include <cstdint>

class ToneMap
{
public:
    ToneMap(int brightness, bool gray);
    // Rewrites 32-bit BGRx pixels in place.
    void Apply(uint8_t* pixels, size_t count) const;
    uint8_t Level(uint8_t value) const { return m_table[value]; }

private:
    uint8_t m_table[256];
    bool m_bGray;
    bool m_bIdentity;
};
