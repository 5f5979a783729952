// JPEG pictures decoded with libjpeg into plain 8-bit RGB rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korven {

struct TRgbImage {
    int Width  = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;  ///< Height rows of Width R, G, B triples
};

/// Decodes a JPEG held in memory. A damaged or truncated stream fails with `error` set (libjpeg's
/// own text) and leaves `image` empty; it never ends the program.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, TRgbImage& image, std::string& error);

}  // namespace korven
