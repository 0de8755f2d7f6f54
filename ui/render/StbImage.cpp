// The one implementation unit of the image decoder. Only decoding from memory is used, of
// 8-bit formats (no HDR, no float output), and only on the user interface thread, so the
// decoder's error text needs no thread-local storage. Its memory comes through CDecodeTarget, so
// that an image's pixels can be decoded where they are drawn from.
#include "ui/render/DecodeTarget.h"

#define STBI_MALLOC(size) VarnUI::CDecodeTarget::Allocate(size)
#define STBI_REALLOC(block, size) VarnUI::CDecodeTarget::Reallocate(block, size)
#define STBI_FREE(block) VarnUI::CDecodeTarget::Release(block)
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_NO_THREAD_LOCALS
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
