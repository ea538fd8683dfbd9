#include "platform/sim/stb_image_impl.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
/* A skin picture is small; refusing huge sizes keeps a hostile file from exhausting memory. */
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>

unsigned char* DecodeRgb(const unsigned char* bytes, int length, int* width, int* height) {
  int channels = 0;
  return stbi_load_from_memory(bytes, length, width, height, &channels, 3);
}

void FreeRgb(unsigned char* pixels) {
  stbi_image_free(pixels);
}
