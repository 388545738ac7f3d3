#include "JpegEncoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors by calling error_exit, which by default ends the process;
// this one jumps back to the encoder instead.
struct TJpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void JumpOnError(j_common_ptr cinfo) {
    auto *manager = reinterpret_cast<TJpegErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->Message);
    std::longjmp(manager->Jump, 1);
}

void IgnoreWarning(j_common_ptr) {}

// Plain C objects only between setjmp and longjmp: nothing here needs a destructor.
bool CompressRgb(const unsigned char *rgb, int width, int height, int bytesPerLine, int quality,
                 unsigned char **buffer, unsigned long *size, char *message) {
    jpeg_compress_struct cinfo;
    TJpegErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = JumpOnError;
    errors.Base.output_message = IgnoreWarning;
    errors.Message[0] = '\0';
    if (setjmp(errors.Jump)) {
        jpeg_destroy_compress(&cinfo);
        std::strncpy(message, errors.Message, JMSG_LENGTH_MAX);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // sequential Huffman coding: baseline, never progressive
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo.next_scanline) *
                                                      static_cast<std::size_t>(bytesPerLine));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

void SetError(QString *error, const QString &text) {
    if (error)
        *error = text;
}

} // namespace

QByteArray TJpegEncoder::Encode(const QImage &picture, int quality, QString *error) {
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
        SetError(error, QStringLiteral("the picture is empty"));
        return QByteArray();
    }
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok =
        CompressRgb(rgb.constBits(), rgb.width(), rgb.height(),
                    static_cast<int>(rgb.bytesPerLine()), quality, &buffer, &size, message);
    QByteArray bytes;
    if (ok)
        bytes = QByteArray(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    else
        SetError(error,
                 QStringLiteral("JPEG encoding failed: %1").arg(QString::fromLocal8Bit(message)));
    std::free(buffer); // jpeg_mem_dest allocates with malloc
    return bytes;
}
