#include "sha256.h"

#include <openssl/evp.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <vector>

#include "engine/regular_file.h"

namespace quorvex {
namespace {

struct ContextDeleter {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_MD_CTX, ContextDeleter>;

std::string Hex(const unsigned char* digest, unsigned int size) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex.push_back(kHex[digest[i] >> 4]);
    hex.push_back(kHex[digest[i] & 15]);
  }
  return hex;
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr);
  return Hex(digest, size);
}

std::optional<std::string> FileSha256Hex(const std::string& path) {
  const OpenedFile file = OpenRegularFile(path);
  if (file.fd < 0) return std::nullopt;
  const Context context(EVP_MD_CTX_new());
  bool ok = context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) == 1;
  std::vector<char> block(1 << 20);
  for (ssize_t n; ok && (n = read(file.fd, block.data(), block.size())) != 0;) {
    if (n < 0) {
      ok = errno == EINTR;
      continue;
    }
    ok = EVP_DigestUpdate(context.get(), block.data(), static_cast<std::size_t>(n)) == 1;
  }
  close(file.fd);
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (!ok || EVP_DigestFinal_ex(context.get(), digest, &size) != 1) return std::nullopt;
  return Hex(digest, size);
}

}  // namespace quorvex
