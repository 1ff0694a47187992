#include "oggwrite.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <memory>

namespace sg {

namespace {

struct FileCloser {
  void operator()(FILE* f) const {
    if (f) fclose(f);
  }
};

bool writePage(FILE* f, const ogg_page& page) {
  return fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
         fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

}  // namespace

bool writeOggVorbis(const std::string& path, const Audio& a, float quality, int serial,
                    const std::string& title, std::string& error) {
  std::unique_ptr<FILE, FileCloser> f(fopen(path.c_str(), "wb"));
  if (!f) {
    error = "cannot write " + path;
    return false;
  }
  const int channels = a.stereo ? 2 : 1;

  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, kRate, quality) != 0) {
    vorbis_info_clear(&vi);
    error = "vorbis_encode_init_vbr refused the settings";
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_comment_add_tag(&vc, "ARTIST", "Brawnmoor sound generator");

  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);

  bool ok = true;
  {
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0) ok = ok && writePage(f.get(), page);
  }

  const size_t chunk = 4096;
  size_t pos = 0;
  bool eos = false;
  while (!eos && ok) {
    if (pos < a.frames()) {
      size_t n = std::min(chunk, a.frames() - pos);
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i) {
        buf[0][i] = a.l[pos + i];
        if (channels == 2) buf[1][i] = a.r[pos + i];
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    } else {
      vorbis_analysis_wrote(&vd, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        ogg_page page;
        while (ogg_stream_pageout(&os, &page) != 0) {
          ok = ok && writePage(f.get(), page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  if (!ok) error = "write error on " + path;
  return ok;
}

}  // namespace sg
