/* Writes the four-channel JPEG test files of codec_jpeg_test.cpp. Not part
 * of the build; kept so the files can be remade:
 *   cc make_cmyk_jpegs.c -ljpeg -o /tmp/mk && /tmp/mk
 * 16 x 8 pixels: left half inks (C, M, Y, K) = (0, 255, 255, 0), right half
 * (0, 0, 0, 128). Adobe files store 255 - ink, plain files the ink. */
#include <stdio.h>
#include <jpeglib.h>

static void write_file(const char* name, J_COLOR_SPACE space, int adobe) {
  struct jpeg_compress_struct c;
  struct jpeg_error_mgr e;
  FILE* f = fopen(name, "wb");
  JSAMPLE row[16 * 4];
  JSAMPROW rows[1] = {row};
  int x;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, f);
  c.image_width = 16;
  c.image_height = 8;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, space);
  c.write_Adobe_marker = adobe;
  jpeg_set_quality(&c, 95, TRUE);
  for (x = 0; x < 16; ++x) {
    const int ink[4] = {0, x < 8 ? 255 : 0, x < 8 ? 255 : 0, x < 8 ? 0 : 128};
    int k;
    for (k = 0; k < 4; ++k) row[4 * x + k] = (JSAMPLE)(adobe ? 255 - ink[k] : ink[k]);
  }
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) jpeg_write_scanlines(&c, rows, 1);
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  fclose(f);
}

int main(void) {
  write_file("cmyk_adobe.jpg", JCS_CMYK, 1);
  write_file("ycck_adobe.jpg", JCS_YCCK, 1);
  write_file("cmyk_plain.jpg", JCS_CMYK, 0);
  return 0;
}
