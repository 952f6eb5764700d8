#include "settings/Aes256.h"

#include <cstring>
#include <memory>
#include <openssl/evp.h>

namespace {

bool RunBlock(const Aes256Key& key, unsigned char* block, bool encipher) {
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    unsigned char out[AesBlockSize];
    int written = 0;
    int finalWritten = 0;
    // A single block through ECB is the bare cipher.
    const bool ok = context &&
                    EVP_CipherInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(),
                                      nullptr, encipher ? 1 : 0) == 1 &&
                    EVP_CIPHER_CTX_set_padding(context.get(), 0) == 1 &&
                    EVP_CipherUpdate(context.get(), out, &written, block, AesBlockSize) == 1 &&
                    EVP_CipherFinal_ex(context.get(), out + written, &finalWritten) == 1 &&
                    written + finalWritten == AesBlockSize;
    if (ok)
        std::memcpy(block, out, AesBlockSize);
    return ok;
}

} // namespace

bool EncipherBlock(const Aes256Key& key, unsigned char* block) {
    return RunBlock(key, block, true);
}

bool DecipherBlock(const Aes256Key& key, unsigned char* block) {
    return RunBlock(key, block, false);
}
