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

// Short buffers are opened as a copy extended with 0xFF bytes to 1 MiB.
void choose_buffer(Container::Impl& impl, ByteView bytes) {
  if (bytes.size() >= kMinimumOpenedSize) {
    impl.bytes = bytes;
    return;
  }
  impl.padded_copy.reserve(kMinimumOpenedSize);
  impl.padded_copy.assign(bytes.begin(), bytes.end());
  impl.padded_copy.resize(kMinimumOpenedSize, 0xFF);
  impl.bytes = impl.padded_copy;
}

}  // namespace

Container::Container(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Container::Container(Container&&) noexcept = default;
Container& Container::operator=(Container&&) noexcept = default;
Container::~Container() = default;

Result<Container> open_altium_container(ByteView bytes) {
  if (!has_signature(bytes)) return Error("not an OLE2 compound document (bad magic)");
  gsf::ensure_initialised();
  auto impl = std::make_unique<Container::Impl>();
  choose_buffer(*impl, bytes);
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

}  // namespace altium
