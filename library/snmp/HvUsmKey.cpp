#include "library/snmp/HvUsmKey.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace {

const EVP_MD* digestOf(HvUsmHash hash) {
    switch (hash) {
        case HvUsmHash::Md5:
            return EVP_md5();
        case HvUsmHash::Sha1:
            return EVP_sha1();
        case HvUsmHash::Sha224:
            return EVP_sha224();
        case HvUsmHash::Sha256:
            return EVP_sha256();
        case HvUsmHash::Sha384:
            return EVP_sha384();
        case HvUsmHash::Sha512:
            return EVP_sha512();
    }
    return EVP_md5();
}

struct MdCtxFree {
    void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};
using MdCtx = std::unique_ptr<EVP_MD_CTX, MdCtxFree>;

MdCtx startDigest(HvUsmHash hash) {
    MdCtx ctx(EVP_MD_CTX_new());
    if (!ctx || EVP_DigestInit_ex(ctx.get(), digestOf(hash), nullptr) != 1)
        throw std::runtime_error("digest not available");
    return ctx;
}

std::string finishDigest(EVP_MD_CTX* ctx) {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (EVP_DigestFinal_ex(ctx, out, &len) != 1) throw std::runtime_error("digest failed");
    return std::string(reinterpret_cast<const char*>(out), len);
}

}  // namespace

std::optional<HvUsmHash> HvUsmHashOfProtocol(int32_t authProtocol) {
    switch (authProtocol) {
        case 2:
            return HvUsmHash::Md5;
        case 3:
            return HvUsmHash::Sha1;
        case 4:
            return HvUsmHash::Sha224;
        case 5:
            return HvUsmHash::Sha256;
        case 6:
            return HvUsmHash::Sha384;
        case 7:
            return HvUsmHash::Sha512;
        default:
            return std::nullopt;
    }
}

std::string HvUsmPasswordToKey(HvUsmHash hash, const std::string& password) {
    if (password.empty()) return {};
    constexpr std::size_t kTotal = 1048576;
    MdCtx ctx = startDigest(hash);
    // Feed the repeated password in 64-byte blocks, as the RFC's reference code does.
    unsigned char block[64];
    std::size_t index = 0;
    for (std::size_t count = 0; count < kTotal; count += sizeof block) {
        for (unsigned char& c : block) c = static_cast<unsigned char>(password[index++ % password.size()]);
        EVP_DigestUpdate(ctx.get(), block, sizeof block);
    }
    return finishDigest(ctx.get());
}

std::string HvUsmLocalizeKey(HvUsmHash hash, const std::string& ku, const std::string& engineId) {
    MdCtx ctx = startDigest(hash);
    EVP_DigestUpdate(ctx.get(), ku.data(), ku.size());
    EVP_DigestUpdate(ctx.get(), engineId.data(), engineId.size());
    EVP_DigestUpdate(ctx.get(), ku.data(), ku.size());
    return finishDigest(ctx.get());
}
