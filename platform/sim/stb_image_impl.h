#pragma once

// The decoder itself is C; it is compiled on its own so that its warnings stay out of ours.
#ifdef __cplusplus
extern "C" {
#endif

// Three bytes per pixel, red first, rows top-down; free with FreeRgb. Null on failure.
unsigned char* DecodeRgb(const unsigned char* bytes, int length, int* width, int* height);
void FreeRgb(unsigned char* pixels);

#ifdef __cplusplus
}
#endif
