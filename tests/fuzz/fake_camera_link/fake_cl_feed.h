#pragma once

#include <cstddef>
#include <cstdint>

// A fake grabber serial library for the fuzz targets: whatever its functions
// hand back (status, counts, the bytes of name buffers, reported sizes, read
// bytes, supported rates) is taken from a feed of bytes, in call order; a
// feed that runs out gives zeros. A name is a length byte, then that many
// bytes written into the caller's buffer, never more than the size the caller
// gave, with no zero byte added. Built once per generation, as the library
// name that generation looks for.
extern "C" {
// Starts a new feed; the library keeps no copy, so the bytes must stay.
void FuzzClFeed(const uint8_t* data, size_t size);
// The name clSelectManufacturer was given last ("" before any call).
const char* FuzzClSelectedName();
}
