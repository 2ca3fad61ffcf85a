#pragma once
#include <QImage>
#include <vector>

// Encodes a picture as a baseline JPEG of the given quality (1..100) with libjpeg.
// An empty result means that encoding failed.
std::vector<unsigned char> encodeJpeg(const QImage& image, int quality);
