#pragma once
// Sizes and positions of the controls are in twips, as the forms carry them: 15 twips
// to one logical pixel (96 dpi). Every conversion between the two goes through here.

namespace Twips {

inline constexpr int PorPixel = 15;

// Twips to logical pixels, rounded to the nearest pixel (halves away from zero), so
// that 4600 twips give 307 pixels and 8 twips one pixel.
constexpr int ParaPixels(double twips) {
    const double pixels = twips / PorPixel;
    return static_cast<int>(pixels >= 0 ? pixels + 0.5 : pixels - 0.5);
}

// Logical pixels to twips: exact, pixels are whole multiples of 15 twips.
constexpr int DePixels(int pixels) {
    return pixels * PorPixel;
}

// Mouse positions keep fractions of a pixel (high-resolution screens, tests).
constexpr float DePixels(double pixels) {
    return static_cast<float>(pixels * PorPixel);
}

} // namespace Twips
