// The one implementation unit of the image decoder. Only decoding from memory is used, of
// 8-bit formats (no HDR, no float output), and only on the user interface thread, so the
// decoder's error text needs no thread-local storage.
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_NO_THREAD_LOCALS
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
