// Opening an Altium library's compound document from memory.
#include "altium_container/container.hpp"

#include <algorithm>
#include <array>

#include "compound_file_check.hpp"
#include "container_impl.hpp"

namespace altium {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t kMinimumOpenedSize = 1024 * 1024;

bool has_signature(ByteView bytes) {
  return bytes.size() >= kSignature.size() &&
         std::equal(kSignature.begin(), kSignature.end(), bytes.begin());
}

// Short buffers are extended with 0xFF bytes to 1 MiB.
void pad_short_buffer(Bytes& bytes) {
  if (bytes.size() < kMinimumOpenedSize) bytes.resize(kMinimumOpenedSize, 0xFF);
}

Error bad_magic() {
  return Error("not an OLE2 compound document (bad magic)");
}

Result<Container> open_document(std::unique_ptr<Container::Impl> impl) {
  gsf::ensure_initialised();
  if (auto fault = find_compound_file_fault(impl->bytes)) return Error("open OLE2: " + *fault);
  impl->input = gsf::ObjectRef<GsfInput>(
      gsf_input_memory_new(impl->bytes.data(), static_cast<gsf_off_t>(impl->bytes.size()), FALSE));
  if (!impl->input) return Error("open OLE2: cannot wrap the buffer");
  GError* error = nullptr;
  impl->root = gsf::ObjectRef<GsfInfile>(gsf_infile_msole_new(impl->input.get(), &error));
  if (!impl->root) return Error("open OLE2: " + gsf::take_error_text(error));
  if (error != nullptr) g_error_free(error);
  return Container(std::move(impl));
}

}  // namespace

Container::Container(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Container::Container(Container&&) noexcept = default;
Container& Container::operator=(Container&&) noexcept = default;
Container::~Container() = default;

Result<Container> open_altium_container(Bytes&& bytes) {
  if (!has_signature(bytes)) return bad_magic();
  auto impl = std::make_unique<Container::Impl>();
  impl->owned = std::move(bytes);
  pad_short_buffer(impl->owned);
  impl->bytes = impl->owned;
  return open_document(std::move(impl));
}

Result<Container> open_altium_container(ByteView bytes) {
  if (!has_signature(bytes)) return bad_magic();
  auto impl = std::make_unique<Container::Impl>();
  if (bytes.size() < kMinimumOpenedSize) {
    impl->owned.reserve(kMinimumOpenedSize);
    impl->owned.assign(bytes.begin(), bytes.end());
    pad_short_buffer(impl->owned);
    impl->bytes = impl->owned;
  } else {
    impl->bytes = bytes;
  }
  return open_document(std::move(impl));
}

}  // namespace altium
