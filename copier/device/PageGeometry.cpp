#include "copier/device/PageGeometry.h"

#include <algorithm>
#include <cmath>

Placement::Placement(const OriginalSize& original, const PrinterPage& page, ImageSizeMode mode, int percent)
    : m_width(original.width), m_height(original.height), m_image(), m_visible()
{
    // The original at its true size, in device pixels.
    double trueWidth = original.width / original.dpiX * page.dpiX;
    double trueHeight = original.height / original.dpiY * page.dpiY;
    double scale = percent / 100.0;
    double left = -page.offsetX, top = -page.offsetY;
    if (mode == ImageSizeMode::FitToPage) {
        scale = std::min(page.printWidth / trueWidth, page.printHeight / trueHeight);
        left = (page.printWidth - trueWidth * scale) / 2;
        top = (page.printHeight - trueHeight * scale) / 2;
    } else if (mode == ImageSizeMode::Borderless) {
        scale = std::max(page.paperWidth / trueWidth, page.paperHeight / trueHeight);
        left = -page.offsetX + (page.paperWidth - trueWidth * scale) / 2;
        top = -page.offsetY + (page.paperHeight - trueHeight * scale) / 2;
    }
    m_image.left = std::llround(left);
    m_image.top = std::llround(top);
    m_image.right = m_image.left + std::llround(trueWidth * scale);
    m_image.bottom = m_image.top + std::llround(trueHeight * scale);

    VisibleSpan(m_width, m_image.left, m_image.right, -page.offsetX, page.paperWidth - page.offsetX, m_visible.left,
                m_visible.right);
    VisibleSpan(m_height, m_image.top, m_image.bottom, -page.offsetY, page.paperHeight - page.offsetY, m_visible.top,
                m_visible.bottom);
}

int64_t Placement::Edge(uint32_t i, uint32_t count, int64_t from, int64_t to)
{
    if (count == 0)
        return from;
    return from + ((to - from) * static_cast<int64_t>(i) + count / 2) / count;
}

// The pixels i of [0, count) whose span [Edge(i), Edge(i+1)) reaches into [clipFrom, clipTo).
void Placement::VisibleSpan(uint32_t count, int64_t from, int64_t to, int64_t clipFrom, int64_t clipTo,
                            int64_t& first, int64_t& last)
{
    first = last = 0;
    if (count == 0 || to <= from || to <= clipFrom || from >= clipTo)
        return;
    first = 0;
    while (first < count && Edge(static_cast<uint32_t>(first) + 1, count, from, to) <= clipFrom)
        ++first;
    last = count;
    while (last > first && Edge(static_cast<uint32_t>(last) - 1, count, from, to) >= clipTo)
        --last;
}

uint32_t BandRows(uint32_t width, uint32_t budgetBytes)
{
    uint64_t rowBytes = static_cast<uint64_t>(std::max<uint32_t>(width, 1)) * 4;
    return static_cast<uint32_t>(std::max<uint64_t>(1, budgetBytes / rowBytes));
}
