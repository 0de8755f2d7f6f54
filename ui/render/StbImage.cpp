// The one implementation unit of the image decoder. Only decoding from memory is used.
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
