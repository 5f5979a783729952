// libjpeg's default error handler exits the process; ours jumps back to the caller instead.
#include "JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <limits>

// jpeglib.h needs FILE and size_t declared before it
#include <jpeglib.h>

namespace korven {
namespace {

constexpr std::size_t kMaxPixels = 4096u * 4096u;

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnFatalError(j_common_ptr info) {
    auto* err = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, err->Message);
    std::longjmp(err->Jump, 1);
}

// A warning means libjpeg is about to paint over missing or corrupt data; a picture with grey
// holes is no better than none, so warnings end the decode like errors.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) OnFatalError(info);
}

// Runs the whole decode between setjmp and the end of this function; nothing here has a
// destructor, so the jump from libjpeg skips no clean-up. `pixels` lives in the caller.
bool Decode(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>* pixels,
            int* width, int* height, char* message) {
    jpeg_decompress_struct info;
    TJpegError err;
    info.err                 = jpeg_std_error(&err.Manager);
    err.Manager.error_exit   = OnFatalError;
    err.Manager.emit_message = OnMessage;
    err.Message[0]           = '\0';
    jpeg_create_decompress(&info);
    if (setjmp(err.Jump)) {
        for (std::size_t i = 0; i < JMSG_LENGTH_MAX; ++i)
            if ((message[i] = err.Message[i]) == '\0') break;
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    // a damaged header can announce a picture of gigabytes; an illustration is never that big
    if (static_cast<std::size_t>(info.output_width) * info.output_height > kMaxPixels) {
        const char* text = "the JPEG picture is implausibly large";
        for (std::size_t i = 0; (message[i] = text[i]) != '\0'; ++i) {
        }
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t row = static_cast<std::size_t>(info.output_width) * 3;
    pixels->resize(row * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW line = pixels->data() + row * info.output_scanline;
        jpeg_read_scanlines(&info, &line, 1);
    }
    jpeg_finish_decompress(&info);
    *width  = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, TRgbImage& image, std::string& error) {
    image = TRgbImage{};
    if (!data || size == 0) {
        error = "empty JPEG data";
        return false;
    }
    if (size > std::numeric_limits<unsigned long>::max()) {
        error = "JPEG data too large";
        return false;
    }
    std::vector<std::uint8_t> pixels;
    int width = 0, height = 0;
    char message[JMSG_LENGTH_MAX] = {};
    if (!Decode(data, size, &pixels, &width, &height, message)) {
        error = message[0] ? message : "the JPEG data could not be decoded";
        return false;
    }
    image.Width  = width;
    image.Height = height;
    image.Pixels = std::move(pixels);
    return true;
}

}  // namespace korven
