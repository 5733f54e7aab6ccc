// Bounded zlib inflation of embedded library streams.
#include "altium_container/bounded_inflate.hpp"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <string>

namespace altium {
namespace {

constexpr std::size_t kChunk = 256 * 1024;

class Inflater {
 public:
  Inflater() { ok_ = inflateInit(&stream_) == Z_OK; }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  bool ok() const { return ok_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ok_ = false;
};

std::string zlib_error(const z_stream& stream, int code) {
  if (stream.msg != nullptr) return stream.msg;
  return "zlib error " + std::to_string(code);
}

// Grows geometrically like the vector would, but never past the bound.
void reserve_within(Bytes& out, std::size_t needed, std::size_t bound) {
  if (out.capacity() >= needed) return;
  out.reserve(std::max(needed, std::min(out.capacity() * 2, bound)));
}

// At the bound, the stream may still hold its end marker: it must end without producing a byte.
bool ends_without_output(z_stream& z) {
  Bytef scratch = 0;
  z.next_out = &scratch;
  z.avail_out = 1;
  return inflate(&z, Z_NO_FLUSH) == Z_STREAM_END && z.avail_out == 1;
}

}  // namespace

Result<Bytes> inflate_bounded(ByteView compressed, std::size_t max_inflated_size) {
  if (compressed.size() > UINT_MAX) return Error("compressed data too large");
  Inflater inflater;
  if (!inflater.ok()) return Error("cannot initialise zlib");
  z_stream& z = inflater.stream();
  z.next_in = const_cast<Bytef*>(compressed.data());
  z.avail_in = static_cast<uInt>(compressed.size());
  Bytes out;
  int code = Z_OK;
  while (code != Z_STREAM_END) {
    if (out.size() >= max_inflated_size) {
      if (ends_without_output(z)) break;
      return Error("inflated data exceeds " + std::to_string(max_inflated_size) + " bytes");
    }
    const std::size_t room = std::min(kChunk, max_inflated_size - out.size());
    const std::size_t used = out.size();
    reserve_within(out, used + room, max_inflated_size);
    out.resize(used + room);
    z.next_out = out.data() + used;
    z.avail_out = static_cast<uInt>(room);
    code = inflate(&z, Z_NO_FLUSH);
    out.resize(used + room - z.avail_out);
    if (code == Z_BUF_ERROR && z.avail_in == 0) return Error("truncated zlib data");
    if (code != Z_OK && code != Z_STREAM_END) return Error(zlib_error(z, code));
  }
  return out;
}

}  // namespace altium
