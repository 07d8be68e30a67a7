#include "app/frame_layout.h"

#include <initializer_list>

CFrameLayout::CFrameLayout(int screenWidth, int screenHeight, bool stored)
    : compact(screenWidth <= kSmallScreenWidth || screenHeight <= kSmallScreenHeight), twoScreen(stored)
{
}

bool& CFrameLayout::flag(FrameArea area)
{
    switch (area) {
    case FrameArea::Library:
        return libraryShown;
    case FrameArea::RightColumn:
        return rightColumnShown;
    default:   // the overview; None is never switched
        return twoScreen;
    }
}

bool CFrameLayout::shown(FrameArea area) const
{
    switch (area) {
    case FrameArea::Library:
        return libraryShown;
    case FrameArea::RightColumn:
        return rightColumnShown;
    case FrameArea::Overview:
        return twoScreen;
    default:
        return false;
    }
}

bool CFrameLayout::checked(FrameArea area) const { return shown(area) && (!compact || compactArea == area); }

void CFrameLayout::showOnly(FrameArea area)
{
    for (FrameArea a : {FrameArea::Library, FrameArea::RightColumn, FrameArea::Overview})
        flag(a) = a == area;
}

void CFrameLayout::toggle(FrameArea area)
{
    compactArea = area;
    if (compact) {
        for (FrameArea other : {FrameArea::Library, FrameArea::RightColumn, FrameArea::Overview})
            if (other != area)
                flag(other) = false;
    }
    bool& on = flag(area);
    on = !on;
    // An area hidden again is no longer the chosen one: the next size change must not bring it back.
    if (compact && !on)
        compactArea = FrameArea::None;
}

void CFrameLayout::toggleTwoScreen() { toggle(FrameArea::Overview); }

void CFrameLayout::toggleChannelSettings() { toggle(FrameArea::RightColumn); }

void CFrameLayout::toggleMemory() { toggle(FrameArea::Library); }

void CFrameLayout::resize(int cx, int cy)
{
    if (!layoutReady)
        return;
    const bool wasCompact = compact;
    compact = cx <= kCompactWidth || cy <= kCompactHeight;
    if (compact && !wasCompact)
        compactArea = FrameArea::None;
    if (compact)
        showOnly(compactArea);
    // The normal layout shows each area by its own switch, as the flags already say.
}

bool bottomBarsSideBySide(int clientHeight, int rangeBarHeight, int pulseBarHeight)
{
    return clientHeight < rangeBarHeight + pulseBarHeight + 40;
}
