#include "JpegProbe.h"

TDecoded Decode(const QByteArray &bytes) {
    TDecoded d;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    d.Progressive = cinfo.progressive_mode;
    d.ArithmeticCoding = cinfo.arith_code;
    d.Jfif = cinfo.saw_JFIF_marker;
    d.ColourSpace = cinfo.jpeg_color_space;
    d.Components = cinfo.num_components;
    for (int t = 0; t < 2; ++t)
        if (cinfo.quant_tbl_ptrs[t])
            for (int i = 0; i < 64; ++i)
                d.Quant[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    d.Width = static_cast<int>(cinfo.output_width);
    d.Height = static_cast<int>(cinfo.output_height);
    d.Rgb.resize(static_cast<size_t>(d.Width) * d.Height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = d.Rgb.data() + static_cast<size_t>(cinfo.output_scanline) * d.Width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return d;
}

// The tables libjpeg itself builds for quality 90 (luminance, chrominance).
std::array<std::array<unsigned, 64>, 2> Quality90Tables() {
    std::array<std::array<unsigned, 64>, 2> tables{};
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < 64; ++i)
            tables[t][i] = cinfo.quant_tbl_ptrs[t]->quantval[i];
    jpeg_destroy_compress(&cinfo);
    return tables;
}
